#pragma once

#include <QString>

// Texts the shell shows in more than one place.
namespace texts {

inline const QString kAppTitle = QStringLiteral("ЗУНТ-2019 Иностранный язык");
inline const QString kAttention = QStringLiteral("Внимание!");
inline const QString kSeconds = QStringLiteral(" сек.");
inline const QString kConfirmPrepareEnd = QStringLiteral("Завершить подготовку к заданию?");
inline const QString kConfirmTaskEnd = QStringLiteral("Вы уверены, что хотите завершить выполнение задания?");
// Ending the station's work is never one click away from the buttons the organiser uses most.
inline const QString kConfirmStop = QStringLiteral("Завершить работу на станции?");
inline const QString kConfirmExit = QStringLiteral("Выйти из программы?");

} // namespace texts
