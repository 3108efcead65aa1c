#pragma once
// The kinds and modes of the business as types, with the texts that are stored in the
// database or carried in the windows' fields, in one table each.

#include <QString>

#include <optional>

namespace tev {

// Bill.BillKind.
enum class BillKind { Sales, Purchase };
// The voucher editor's DocKind; stored only as the sign of MoneySum (0 or more: income).
enum class VoucherKind { Income, Expense };
// An editor's OpenMode.
enum class OpenMode { New, Change };
// Power.PowerRole.
enum class Role { Administrator, FinanceSupervisor, FinanceDirector, GeneralManager, Salesman };

QString Text(BillKind kind);    // "销售开单", "采购开单"
QString Text(VoucherKind kind); // "财务收入单", "财务支出单"
QString Text(OpenMode mode);    // "新增", "修改"
QString Text(Role role);        // "管理员", "财务主管", "财务总监", "总经理", "业务员"

std::optional<BillKind> BillKindFromText(const QString& text);
std::optional<VoucherKind> VoucherKindFromText(const QString& text);
std::optional<OpenMode> OpenModeFromText(const QString& text);
std::optional<Role> RoleFromText(const QString& text);

// The kind of a stored voucher: the sign of its sum.
inline VoucherKind VoucherKindOfSum(double sum) {
    return sum >= 0 ? VoucherKind::Income : VoucherKind::Expense;
}
// The three management roles see everything; a salesman sees his own records.
bool IsManagement(Role role);

} // namespace tev
