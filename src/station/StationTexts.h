#pragma once

#include <QString>

// Texts the shell shows in more than one place.
namespace texts {

inline const QString kAppTitle = QStringLiteral("ЗУНТ-2019 Иностранный язык");
inline const QString kAttention = QStringLiteral("Внимание!");
inline const QString kSeconds = QStringLiteral(" сек.");
inline const QString kConfirmPrepareEnd = QStringLiteral("Завершить подготовку к заданию?");
inline const QString kConfirmTaskEnd = QStringLiteral("Вы уверены, что хотите завершить выполнение задания?");

} // namespace texts
