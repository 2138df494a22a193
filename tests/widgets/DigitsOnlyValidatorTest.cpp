#include "widgets/DigitsOnlyValidator.h"

#include "station/Digits.h"

#include "support/StagesKeyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

struct GuardedEdit {
    explicit GuardedEdit(int maxLength = 6) {
        edit.setMaxLength(maxLength);
        new DigitsOnlyValidator(&edit, [this](QChar& key) {
            ++keyPresses;
            DigitsOnlyValidator::filterKey(key);
        });
        edit.show();
    }
    QLineEdit edit;
    int keyPresses = 0;
};

void paste(QLineEdit& edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    edit.paste();
}

} // namespace

TEST(DigitsOnlyValidator, passesDigitsAndBackspaceOnly) {
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_TRUE(DigitsOnlyValidator::passesKey(QLatin1Char(c))) << c;
    EXPECT_TRUE(DigitsOnlyValidator::passesKey(QChar(8)));
    for (QChar c : QStringLiteral("a -+.,\r\n\t\x7f"
                                  "Я٣５"))
        EXPECT_FALSE(DigitsOnlyValidator::passesKey(c)) << int(c.unicode());

    QChar letter = QLatin1Char('x');
    DigitsOnlyValidator::filterKey(letter);
    EXPECT_TRUE(letter.isNull());
    QChar digit = QLatin1Char('7');
    DigitsOnlyValidator::filterKey(digit);
    EXPECT_EQ(digit, QLatin1Char('7'));
}

TEST(DigitsOnlyValidator, typedLettersSpacesAndMinusLeaveTheFieldUnchanged) {
    GuardedEdit g;
    stagestest::typeText(&g.edit, QStringLiteral("1a 2-3"));
    EXPECT_EQ(g.edit.text(), "123");
    EXPECT_EQ(g.keyPresses, 6); // every typed character went through the field's key handler
    stagestest::pressBackspace(&g.edit);
    EXPECT_EQ(g.edit.text(), "12");
}

TEST(DigitsOnlyValidator, enterIsDiscardedBeforeTheEditSeesIt) {
    GuardedEdit g;
    int returns = 0;
    QObject::connect(&g.edit, &QLineEdit::returnPressed, [&] { ++returns; });
    stagestest::typeText(&g.edit, QStringLiteral("42"));
    stagestest::pressEnter(&g.edit);
    stagestest::pressKey(&g.edit, Qt::Key_Enter, QStringLiteral("\r"));
    EXPECT_EQ(returns, 0);
    EXPECT_EQ(g.edit.text(), "42");
}

TEST(DigitsOnlyValidator, editingKeysStillWork) {
    GuardedEdit g;
    stagestest::typeText(&g.edit, QStringLiteral("123"));
    stagestest::pressKey(&g.edit, Qt::Key_Home);
    stagestest::pressKey(&g.edit, Qt::Key_Delete, QString(QChar(0x7f)));
    EXPECT_EQ(g.edit.text(), "23");
}

TEST(DigitsOnlyValidator, refusesPastedTextThatIsNotAllDigits) {
    GuardedEdit g;
    stagestest::typeText(&g.edit, QStringLiteral("12"));
    for (const QString& bad : {QStringLiteral("3a"), QStringLiteral("-5"), QStringLiteral(" 7"), QStringLiteral("٣"),
                               QStringLiteral("５"), QStringLiteral("1\n2")}) {
        paste(g.edit, bad);
        EXPECT_EQ(g.edit.text(), "12") << bad.toStdString();
    }
    paste(g.edit, QStringLiteral("345"));
    EXPECT_EQ(g.edit.text(), "12345");
}

TEST(DigitsOnlyValidator, pasteIsCutToTheFieldLength) {
    GuardedEdit g(4);
    paste(g.edit, QStringLiteral("1234567"));
    EXPECT_EQ(g.edit.text(), "1234");
}

TEST(DigitsOnlyValidator, refusesTextInsertedOrDroppedAsAWhole) {
    GuardedEdit g;
    g.edit.insert(QStringLiteral("9x"));
    EXPECT_EQ(g.edit.text(), "");
    g.edit.insert(QStringLiteral("98"));
    EXPECT_EQ(g.edit.text(), "98");

    // A drop arrives as mime data, past the key filter.
    QMimeData mime;
    mime.setText(QStringLiteral("7 7"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&g.edit, &drop);
    EXPECT_EQ(g.edit.text(), "98");
}

TEST(DigitsOnlyValidator, validatesWholeTexts) {
    QLineEdit edit;
    DigitsOnlyValidator v(&edit, nullptr);
    int pos = 0;
    QString empty, digits = QStringLiteral("000123"), mixed = QStringLiteral("12a");
    EXPECT_EQ(v.validate(empty, pos), QValidator::Acceptable);
    EXPECT_EQ(v.validate(digits, pos), QValidator::Acceptable);
    EXPECT_EQ(v.validate(mixed, pos), QValidator::Invalid);
    EXPECT_TRUE(isAsciiDigits(QStringLiteral("0042")));
    EXPECT_FALSE(isAsciiDigits(QStringLiteral("00 42")));
}
