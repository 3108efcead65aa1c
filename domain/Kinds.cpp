#include "domain/Kinds.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

template <typename E, size_t N>
std::optional<E> FromText(const std::array<std::pair<E, const char16_t*>, N>& table, const QString& text) {
    for (const auto& [value, words] : table)
        if (text == QString::fromUtf16(words)) return value;
    return std::nullopt;
}

template <typename E, size_t N>
QString ToText(const std::array<std::pair<E, const char16_t*>, N>& table, E value) {
    for (const auto& [v, words] : table)
        if (v == value) return QString::fromUtf16(words);
    return {};
}

constexpr std::array<std::pair<BillKind, const char16_t*>, 2> kBillKinds = {{
    {BillKind::Sales, u"销售开单"},
    {BillKind::Purchase, u"采购开单"},
}};
constexpr std::array<std::pair<VoucherKind, const char16_t*>, 2> kVoucherKinds = {{
    {VoucherKind::Income, u"财务收入单"},
    {VoucherKind::Expense, u"财务支出单"},
}};
constexpr std::array<std::pair<OpenMode, const char16_t*>, 2> kOpenModes = {{
    {OpenMode::New, u"新增"},
    {OpenMode::Change, u"修改"},
}};
constexpr std::array<std::pair<Role, const char16_t*>, 5> kRoles = {{
    {Role::Administrator, u"管理员"},
    {Role::FinanceSupervisor, u"财务主管"},
    {Role::FinanceDirector, u"财务总监"},
    {Role::GeneralManager, u"总经理"},
    {Role::Salesman, u"业务员"},
}};

} // namespace

QString Text(BillKind kind) {
    return ToText(kBillKinds, kind);
}
QString Text(VoucherKind kind) {
    return ToText(kVoucherKinds, kind);
}
QString Text(OpenMode mode) {
    return ToText(kOpenModes, mode);
}
QString Text(Role role) {
    return ToText(kRoles, role);
}

std::optional<BillKind> BillKindFromText(const QString& text) {
    return FromText(kBillKinds, text);
}
std::optional<VoucherKind> VoucherKindFromText(const QString& text) {
    return FromText(kVoucherKinds, text);
}
std::optional<OpenMode> OpenModeFromText(const QString& text) {
    return FromText(kOpenModes, text);
}
std::optional<Role> RoleFromText(const QString& text) {
    return FromText(kRoles, text);
}

bool IsManagement(Role role) {
    return role == Role::FinanceSupervisor || role == Role::FinanceDirector || role == Role::GeneralManager;
}

} // namespace tev
