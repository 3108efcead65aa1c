#include "data/DemoData.h"

#include "data/Database.h"
#include "data/Statement.h"

#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// SplitMix64: a small generator whose sequence is the same on every platform and
// compiler, unlike the distributions of <random>.
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed) {}

    quint64 Next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi], both included.
    int Int(int lo, int hi) { return lo + int(Next() % quint64(hi - lo + 1)); }
    double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    bool Chance(double p) { return Unit() < p; }
    double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    quint64 m_state;
};

QString Iso(const QDate& d) {
    return d.toString(u"yyyy-MM-dd"_s);
}

// A prepared statement whose first failure is copied into the filler's error.
class Statement {
public:
    Statement(Database& db, const QString& sql, QString& error) : m_statement(db, sql), m_error(error) {
        Keep();
    }
    qint64 Run(const QVariantList& values) {
        const qint64 key = m_statement.Run(values);
        Keep();
        return key;
    }

private:
    void Keep() {
        if (m_statement.Failed() && m_error.isEmpty()) m_error = m_statement.LastError();
    }

    PreparedStatement m_statement;
    QString& m_error;
};

const QString kBillColumns = u"INSERT INTO Bill (BillKind, BillSerial, BillUser, BillSum, BillCreateTime, "
                             "BillRecordTime, BillReason, BillState, BillRemark, BillMan) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
const QString kMoneyColumns =
    u"INSERT INTO MoneyTable (MoneyAccount, MoneyBill, MoneyCreateTime, MoneyRecordTime, "
    "MoneyUser, MoneyReason, MoneyIn, MoneyOut, MoneySum, MoneyType, MoneyToken, "
    "MoneyRemark, MoneySerial, MoneyMan) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
const QString kCustomerColumns = u"INSERT INTO Customer (CustomerName, CustomerContact, CustomerPhone, "
                                 "CustomerHandPhone, CustomerFax, CustomerEMail, CustomerWebsite, "
                                 "CustomerAddress, CustomerRemark, CustomerOwe, CustomerMan) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;

const QString kSale = u"销售开单"_s;
const QString kPurchase = u"采购开单"_s;
const QString kManager = u"财务主管"_s;
const QString kDirector = u"总经理"_s;

// Both fillers start from a database that holds no business records yet.
bool RequireEmpty(Database& db, QString& error) {
    ResultSet rs;
    if (!db.Query(u"SELECT (SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1) + "
                  "(SELECT COUNT(*) FROM Bill WHERE BillIndex > 1) + "
                  "(SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1) + "
                  "(SELECT COUNT(*) FROM Account WHERE AccountIndex > 1) AS n"_s,
                  {}, &rs)) {
        error = db.LastError();
        return false;
    }
    if (rs.AsInteger(u"n"_s) != 0) {
        error = u"数据库中已有业务数据，只能向空数据库写入示例数据"_s;
        return false;
    }
    return true;
}

// The last number of a Setting row, split into its letters and its digits.
struct SerialCounter {
    int row = 0;
    QString prefix;
    qint64 number = 0;
    int width = 6;
    QString last;

    QString Next() {
        ++number;
        last = prefix + QString::number(number).rightJustified(width, u'0');
        return last;
    }
};

bool ReadSerial(Database& db, int row, const QString& defaultPrefix, SerialCounter& out, QString& error) {
    ResultSet rs;
    if (!db.Query(u"SELECT SettingValue FROM Setting WHERE SettingIndex = ?"_s, {row}, &rs)) {
        error = db.LastError();
        return false;
    }
    const QString value = rs.AsString(u"SettingValue"_s).trimmed();
    qsizetype split = 0;
    while (split < value.size() && !value[split].isDigit())
        ++split;
    const QString digits = value.mid(split);
    bool ok = !digits.isEmpty();
    const qint64 n = ok ? digits.toLongLong(&ok) : 0;
    out.row = row;
    if (ok && split > 0) {
        out.prefix = value.left(split);
        out.number = n;
        out.width = int(digits.size());
    } else { // no usable number stored: start a fresh series
        out.prefix = defaultPrefix;
        out.number = 100000;
        out.width = 6;
    }
    out.last = value;
    return true;
}

bool WriteSerial(Database& db, const SerialCounter& c, QString& error) {
    if (db.Update(u"Setting"_s, {{u"SettingValue"_s, c.last}}, u"SettingIndex = ?"_s, {c.row}) < 0) {
        error = db.LastError();
        return false;
    }
    return true;
}

// The option lists of the editors' drop-downs.
struct Options {
    QStringList reasons, types, tokens, states;

    // The preferred option when the list holds it, else one of the list chosen by salt,
    // so a database with changed lists still gets values from its own lists.
    static QString Choose(const QStringList& list, const QString& preferred, int salt = 0) {
        if (list.contains(preferred)) return preferred;
        if (list.isEmpty()) return {};
        return list[qsizetype(std::abs(salt)) % list.size()];
    }
};

bool ReadOptions(Database& db, Options& out, QString& error) {
    QStringList* lists[] = {&out.reasons, &out.types, &out.tokens, &out.states};
    for (int type = 1; type <= 4; ++type) {
        ResultSet rs;
        if (!db.Query(
                u"SELECT ParameterValue FROM Parameter WHERE ParameterType = ? ORDER BY ParameterIndex"_s,
                {type}, &rs)) {
            error = db.LastError();
            return false;
        }
        for (rs.First(); !rs.Eof(); rs.Next())
            *lists[type - 1] << rs.AsString(u"ParameterValue"_s);
    }
    return true;
}

struct SalesmanSeed {
    QString name, range, picture;
};

const SalesmanSeed kSalesmen[] = {
    {u"张伟"_s, u"业务管理；财务管理；"_s, u"Faces/1.bmp"_s},
    {u"李娜"_s, u"业务管理；"_s, u"Faces/9.bmp"_s},
    {u"王强"_s, u"财务管理；"_s, u"Faces/13.bmp"_s},
};
const QString kDemoPassword = u"1234"_s;

// Names the first free salesman slots; the program never adds Power rows, so neither do we.
bool FillSalesmen(Database& db, QString& error) {
    ResultSet taken;
    if (!db.Query(u"SELECT PowerName FROM Power WHERE PowerName IN (?, ?, ?)"_s,
                  {kSalesmen[0].name, kSalesmen[1].name, kSalesmen[2].name}, &taken)) {
        error = db.LastError();
        return false;
    }
    if (!taken.IsEmpty()) {
        error = u"用户 %1 已经存在"_s.arg(taken.AsString(u"PowerName"_s));
        return false;
    }
    ResultSet free;
    if (!db.Query(u"SELECT PowerIndex FROM Power WHERE PowerName = '' AND PowerRole = '业务员' "
                  "ORDER BY PowerIndex LIMIT 3"_s,
                  {}, &free)) {
        error = db.LastError();
        return false;
    }
    if (free.RecordCount() < 3) {
        error = u"没有足够的空闲业务员位置"_s;
        return false;
    }
    for (const SalesmanSeed& s : kSalesmen) {
        const qint64 key = free.AsInteger(u"PowerIndex"_s);
        free.Next();
        if (db.Update(u"Power"_s,
                      {{u"PowerName"_s, s.name},
                       {u"PowerKey"_s, kDemoPassword},
                       {u"PowerRange"_s, s.range},
                       {u"PowerPicture"_s, s.picture}},
                      u"PowerIndex = ?"_s, {key}) != 1) {
            error = db.LastError();
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// The demo business: an agency in one city that lets and sells houses and offers services.

enum class Profile {
    Tenant,       // rents through the agency: a sales bill for the rent every month
    Service,      // pays for single services
    BigBuyer,     // buys houses: large sales bills, little paid yet
    Buyer,        // buys one or two houses, partly paid
    Landlord,     // lets houses through the agency: a purchase bill every month
    BigDeveloper, // sells new flats through the agency: large purchase bills
    Developer,    // as above, smaller
    Depositor,    // left a deposit larger than the bills: the agency owes them
    Dormant,      // no documents in the period
};

enum Holder { Zhang, Li, Manager, Director };

struct CustomerSeed {
    const char16_t* name;
    const char16_t* contact; // nullptr: a private person, who is his own contact
    Profile profile;
    Holder owner;
    double openingDebt;
    const char16_t* remark;
};

const CustomerSeed kCustomers[] = {
    {u"杭州华远置业有限公司", u"陈国栋", Profile::BigBuyer, Director, 0, u"长期合作客户"},
    {u"浙江恒达贸易有限公司", u"刘明", Profile::Tenant, Zhang, 0, u""},
    {u"张建国", nullptr, Profile::Buyer, Zhang, 0, u""},
    {u"杭州天河物业管理有限公司", u"黄志刚", Profile::Landlord, Manager, 0, u"代管房源三十余套"},
    {u"王秀英", nullptr, Profile::Tenant, Li, 0, u""},
    {u"鹏程房地产开发有限公司", u"周海", Profile::BigDeveloper, Director, 0, u"新楼盘包销合作"},
    {u"李志强", nullptr, Profile::Service, Zhang, 0, u""},
    {u"西湖文化传媒有限公司", u"许静", Profile::Tenant, Li, 1200, u"写字楼租户"},
    {u"赵丽华", nullptr, Profile::Buyer, Li, 0, u"首套房"},
    {u"锦江装饰工程有限公司", u"邓永红", Profile::Landlord, Manager, 0, u""},
    {u"周文斌", nullptr, Profile::Tenant, Zhang, 0, u""},
    {u"金陵酒店管理有限公司", u"钱晓峰", Profile::BigBuyer, Manager, 5000, u"整层收购"},
    {u"吴晓燕", nullptr, Profile::Service, Li, 0, u""},
    {u"长江电子科技有限公司", u"朱立新", Profile::Tenant, Zhang, 0, u""},
    {u"孙建平", nullptr, Profile::Dormant, Manager, 8600, u"老客户，去年余款未结"},
    {u"滨海物流有限公司", u"徐峰", Profile::Tenant, Director, 0, u"仓库租赁"},
    {u"郑海涛", nullptr, Profile::Landlord, Li, 0, u"出租房东"},
    {u"山城餐饮有限公司", u"冯丽", Profile::Tenant, Zhang, 0, u"临街商铺"},
    {u"马玉兰", nullptr, Profile::Depositor, Li, 0, u""},
    {u"古城旅游开发有限公司", u"杨帆", Profile::Buyer, Director, 0, u""},
    {u"胡永康", nullptr, Profile::Tenant, Zhang, 0, u""},
    {u"杭州精工精密机械有限公司", u"谢文", Profile::Buyer, Manager, 0, u"厂房购置"},
    {u"林美玲", nullptr, Profile::Service, Li, 0, u""},
    {u"海韵家居有限公司", u"韩雪", Profile::Landlord, Manager, 0, u""},
    {u"何振东", nullptr, Profile::Dormant, Zhang, 0, u""},
    {u"湘江教育咨询有限公司", u"曾晓", Profile::Tenant, Li, 0, u"培训教室"},
    {u"高晓明", nullptr, Profile::Tenant, Manager, 0, u""},
    {u"中原建材有限公司", u"彭军", Profile::Developer, Director, 0, u""},
    {u"罗淑芬", nullptr, Profile::Depositor, Zhang, 0, u""},
    {u"鹭岛进出口有限公司", u"蔡红", Profile::Service, Manager, 0, u""},
    {u"梁伟", nullptr, Profile::Tenant, Li, 300, u""},
    {u"宋佳怡", nullptr, Profile::Buyer, Zhang, 0, u"改善型住房"},
    {u"北方重工配件厂", u"董国庆", Profile::Landlord, Manager, 0, u""},
    {u"唐建军", nullptr, Profile::Tenant, Director, 0, u""},
    {u"韩冰", nullptr, Profile::Service, Zhang, 0, u""},
    {u"春城花卉有限公司", u"袁芳", Profile::Tenant, Li, 0, u""},
    {u"冯晓东", nullptr, Profile::Dormant, Manager, 2500, u""},
    {u"星海广告有限公司", u"潘越", Profile::Service, Director, 0, u""},
    {u"曹丽", nullptr, Profile::Tenant, Manager, 0, u""},
    {u"华东建设工程集团有限公司第三分公司", u"程刚", Profile::Landlord, Director, 0, u"项目部宿舍"},
    {u"Tom O'Brien", u"Tom", Profile::Tenant, Zhang, 0, u"外籍客户，英文合同"},
};
constexpr int kCustomerCount = int(std::size(kCustomers));

const char16_t* const kDistricts[] = {u"西湖区", u"上城区", u"拱墅区", u"滨江区", u"余杭区", u"萧山区"};
const char16_t* const kRoads[] = {u"文三路",   u"教工路",   u"延安路", u"解放路", u"凤起路", u"天目山路",
                                  u"莫干山路", u"江南大道", u"滨盛路", u"庆春路", u"学院路", u"古墩路"};
const char16_t* const kEstates[] = {u"翠苑一区", u"嘉绿苑",   u"城西银泰城", u"万家花园",
                                    u"金色海岸", u"和睦新村", u"星洲花园",   u"九堡家苑"};

QString OwnerName(Holder o) {
    switch (o) {
    case Zhang:
        return kSalesmen[0].name;
    case Li:
        return kSalesmen[1].name;
    case Manager:
        return kManager;
    case Director:
        return kDirector;
    }
    return kManager;
}

enum Reason { Rental, Sale, Service };

struct AccountSeed {
    const char16_t* name;
    double base;
    // When above 0, the opening amount is chosen so that the account holds this much
    // today, whatever the vouchers of the period add up to.
    double balanceToday;
    bool ownedBySalesman;
};

// Cash, three bank accounts and a petty-cash box kept by the finance salesman. The
// balances today land in each icon band: cash below 30000, the construction bank
// between 30000 and 100000, the other banks above.
const AccountSeed kAccounts[] = {
    {u"现金", 5000, 0, false},      {u"工商银行", 60000, 0, false}, {u"建设银行", 0, 65000, false},
    {u"农业银行", 10000, 0, false}, {u"业务备用金", 6000, 0, true},
};
enum AccountSlot { Cash, Icbc, Ccb, Abc, Petty };

struct BillPlan {
    int customer;
    QDate date;
    bool sale;
    Reason reason;
    double amount; // unsigned
    QString man;
    int order; // creation order, to keep sorting stable
    QString serial;
    qint64 key = 0;
};

struct VoucherPlan {
    int customer;
    int bill; // index into the bill plans, -1 for none
    QDate date;
    bool income;
    Reason reason;
    double amount; // unsigned
    QString type;  // preferred option of list 2
    QString remark;
    QString man;
    int order;
};

class DemoBuilder {
public:
    explicit DemoBuilder(const QDate& today)
        : m_today(today), m_start(today.addMonths(-4).addDays(1)), m_rng(20240517) {}

    void Plan() {
        for (int c = 0; c < kCustomerCount; ++c)
            PlanCustomer(c);
        PlanToday();
    }

    std::vector<BillPlan>& Bills() { return m_bills; }
    std::vector<VoucherPlan>& Vouchers() { return m_vouchers; }
    Rng& Random() { return m_rng; }

private:
    QDate RandomDate(const QDate& from, const QDate& to) {
        const qint64 span = std::max<qint64>(0, from.daysTo(to));
        return from.addDays(m_rng.Int(0, int(span)));
    }
    QDate Cap(const QDate& d) const { return d > m_today ? m_today : d; }

    QString BillMan(int c) {
        const Holder o = kCustomers[c].owner;
        if (o == Zhang || o == Li) return OwnerName(o);
        if (o == Director) return m_rng.Chance(0.7) ? kDirector : kManager;
        return kManager;
    }
    QString VoucherMan(int c, const QString& billMan) {
        if (billMan == kSalesmen[0].name) return billMan; // 张伟 also keeps the books of his bills
        if (kCustomers[c].owner == Li && m_rng.Chance(0.5)) return kSalesmen[2].name;
        return m_rng.Chance(0.8) ? kManager : kSalesmen[2].name;
    }

    int AddBill(int c, const QDate& date, bool sale, Reason reason, double amount) {
        m_bills.push_back({c, date, sale, reason, amount, BillMan(c), int(m_bills.size()), {}, 0});
        return int(m_bills.size()) - 1;
    }

    void AddVoucher(int c, int bill, const QDate& date, bool income, Reason reason, double amount,
                    const QString& type, const QString& remark) {
        const QString billMan = bill >= 0 ? m_bills[size_t(bill)].man : OwnerName(kCustomers[c].owner);
        m_vouchers.push_back({c, bill, Cap(date), income, reason, amount, type, remark,
                              VoucherMan(c, billMan), int(m_vouchers.size())});
    }

    // Pays fraction of a bill in one to three instalments after its date. Instalments are
    // rounded to the unit, the last one takes the rest so a full payment is exact.
    void Pay(int bill, double fraction, int instalments) {
        const BillPlan b = m_bills[size_t(bill)];
        const double unit = b.amount >= 20000 ? 100 : 10;
        double total = fraction >= 1 ? b.amount : std::round(b.amount * fraction / unit) * unit;
        if (total <= 0) return;
        QDate date = b.date;
        double left = total;
        for (int i = 0; i < instalments && left > 0; ++i) {
            const bool last = i == instalments - 1;
            double part =
                last ? left : std::round(total / instalments * m_rng.Between(0.7, 1.2) / unit) * unit;
            part = std::min(part, left);
            if (part <= 0) continue;
            date = date.addDays(i == 0 ? m_rng.Int(0, 6) : m_rng.Int(5, 24));
            if (date > m_today) return; // not paid yet
            left -= part;
            QString type, remark;
            const bool many = instalments > 1;
            switch (b.reason) {
            case Sale:
                type = many && i == 0 ? u"定金"_s : u"房款"_s;
                break;
            case Rental:
                type = many && i == 0 ? u"押金"_s : u"房款"_s;
                break;
            case Service:
                type = u"中介费"_s;
                break;
            }
            if (!many)
                remark = fraction >= 1 ? u"一次付清"_s : u"部分付款"_s;
            else if (i == 0)
                remark = u"首付"_s;
            else if (left <= 0 && fraction >= 1)
                remark = u"尾款"_s;
            else
                remark = u"第%1期"_s.arg(i + 1);
            AddVoucher(b.customer, bill, date, b.sale, b.reason, part, type, remark);
        }
    }

    // Full payment most of the time, otherwise part or nothing.
    void PayUsually(int bill, double full, double part) {
        const double roll = m_rng.Unit();
        if (roll < full)
            Pay(bill, 1.0, m_rng.Chance(0.8) ? 1 : 2);
        else if (roll < full + part)
            Pay(bill, m_rng.Between(0.3, 0.7), 1);
    }

    void PlanCustomer(int c) {
        const bool company = kCustomers[c].contact != nullptr;
        switch (kCustomers[c].profile) {
        case Profile::Tenant: {
            // Rent falls due monthly from a start in the first weeks of the period.
            const double rent = company ? m_rng.Int(30, 120) * 100 : m_rng.Int(15, 45) * 100;
            QDate d = m_start.addDays(m_rng.Int(0, 35));
            const int months = m_rng.Int(2, 5);
            for (int k = 0; k < months && d <= m_today; ++k, d = d.addMonths(1)) {
                const int bill = AddBill(c, d, true, Rental, rent);
                // The latest rent is more often still open.
                PayUsually(bill, d.daysTo(m_today) < 20 ? 0.4 : 0.8, 0.15);
            }
            break;
        }
        case Profile::Service: {
            const int n = m_rng.Int(2, 4);
            for (int k = 0; k < n; ++k) {
                double fee = m_rng.Int(50, 300) * 10;
                if (m_rng.Chance(0.25)) fee += 0.5;
                const int bill = AddBill(c, RandomDate(m_start, m_today), true, Service, fee);
                PayUsually(bill, 0.6, 0.2);
            }
            if (m_rng.Chance(0.4)) // a consultation paid on the spot, without a bill
                AddVoucher(c, -1, RandomDate(m_start, m_today), true, Service, m_rng.Int(20, 80) * 10,
                           u"中介费"_s, u"咨询费"_s);
            break;
        }
        case Profile::BigBuyer: {
            const int n = m_rng.Int(2, 3);
            for (int k = 0; k < n; ++k) {
                const int bill = AddBill(c, RandomDate(m_start, m_today.addDays(-10)), true, Sale,
                                         m_rng.Int(550, 1200) * 100);
                Pay(bill, m_rng.Between(0.15, 0.35), m_rng.Int(1, 2));
            }
            AddBill(c, RandomDate(m_start, m_today), true, Service, m_rng.Int(100, 300) * 10);
            break;
        }
        case Profile::Buyer: {
            const int n = m_rng.Int(1, 2);
            for (int k = 0; k < n; ++k) {
                const double price = n == 1 ? m_rng.Int(450, 900) * 100 : m_rng.Int(230, 450) * 100;
                const int bill = AddBill(c, RandomDate(m_start, m_today.addDays(-5)), true, Sale, price);
                Pay(bill, m_rng.Between(0.2, 0.45), m_rng.Int(1, 3));
            }
            break;
        }
        case Profile::Landlord: {
            const double rent = m_rng.Int(30, 120) * 100;
            QDate d = m_start.addDays(m_rng.Int(0, 30));
            const int months = m_rng.Int(2, 5);
            for (int k = 0; k < months && d <= m_today; ++k, d = d.addMonths(1)) {
                const int bill = AddBill(c, d, false, Rental, rent);
                PayUsually(bill, 0.65, 0.25);
            }
            if (m_rng.Chance(0.3))
                AddVoucher(c, -1, RandomDate(m_start, m_today), false, Rental, m_rng.Int(10, 40) * 100,
                           u"押金"_s, u"退还押金"_s);
            break;
        }
        case Profile::BigDeveloper:
        case Profile::Developer: {
            const bool big = kCustomers[c].profile == Profile::BigDeveloper;
            const int n = big ? 3 : 2;
            for (int k = 0; k < n; ++k) {
                const double price = big ? m_rng.Int(450, 800) * 100 : m_rng.Int(180, 250) * 100;
                const int bill = AddBill(c, RandomDate(m_start, m_today.addDays(-3)), false, Sale, price);
                Pay(bill, big ? m_rng.Between(0.4, 0.7) : m_rng.Between(0.5, 0.9), m_rng.Int(1, 3));
            }
            break;
        }
        case Profile::Depositor: {
            const int bill =
                AddBill(c, RandomDate(m_start, m_today.addDays(-20)), true, Rental, m_rng.Int(20, 40) * 100);
            Pay(bill, 1.0, 1);
            AddVoucher(c, -1, m_bills[size_t(bill)].date.addDays(m_rng.Int(0, 3)), true, Rental,
                       m_rng.Int(30, 80) * 100, u"押金"_s, u"租房押金"_s);
            break;
        }
        case Profile::Dormant:
            break;
        }
    }

    int CustomerByName(const char16_t* name) const {
        for (int c = 0; c < kCustomerCount; ++c)
            if (QStringView(kCustomers[c].name) == QStringView(name)) return c;
        return 0;
    }

    // Documents on the working day and early in its month, so the day and month pages of a
    // fresh demo are never empty.
    void PlanToday() {
        const QDate first(m_today.year(), m_today.month(), 1);
        const int tenant = CustomerByName(u"浙江恒达贸易有限公司");
        const int landlord = CustomerByName(u"杭州天河物业管理有限公司");
        const int service = CustomerByName(u"李志强");
        const int consult = CustomerByName(u"吴晓燕");
        const int owner = CustomerByName(u"郑海涛");
        const int monthTenant = CustomerByName(u"周文斌");
        const int monthLandlord = CustomerByName(u"北方重工配件厂");

        int bill = AddBill(monthTenant, first, true, Rental, 2600);
        AddVoucher(monthTenant, bill, first, true, Rental, 2600, u"房款"_s, u"一次付清"_s);
        bill = AddBill(monthLandlord, first, false, Rental, 9800);
        AddVoucher(monthLandlord, bill, first, false, Rental, 5000, u"房款"_s, u"部分付款"_s);

        bill = AddBill(tenant, m_today, true, Rental, 4800);
        AddVoucher(tenant, bill, m_today, true, Rental, 2000, u"定金"_s, u"首付"_s);
        bill = AddBill(landlord, m_today, false, Rental, 6500);
        AddVoucher(landlord, bill, m_today, false, Rental, 6500, u"房款"_s, u"一次付清"_s);
        AddBill(service, m_today, true, Service, 800);
        AddVoucher(consult, -1, m_today, true, Service, 600, u"中介费"_s, u"咨询费"_s);
        AddVoucher(owner, -1, m_today, false, Rental, 1500, u"押金"_s, u"退还押金"_s);
    }

    QDate m_today, m_start;
    Rng m_rng;
    std::vector<BillPlan> m_bills;
    std::vector<VoucherPlan> m_vouchers;
};

const char16_t* const kRentalRemarks[] = {u"两室一厅，月付", u"写字楼租赁，押一付三", u"商铺续租",
                                          u"精装一居室", u"合租单间"};
const char16_t* const kSaleRemarks[] = {u"二手房买卖，含过户代办", u"新房认购", u"学区房交易", u"按揭办理中",
                                        u"全款购房"};
const char16_t* const kServiceRemarks[] = {u"贷款代办服务", u"产权过户咨询", u"租赁合同公证", u"房屋评估"};

QString BillRemark(Rng& rng, Reason reason) {
    if (!rng.Chance(0.6)) return {};
    switch (reason) {
    case Rental:
        return QString::fromUtf16(kRentalRemarks[rng.Int(0, int(std::size(kRentalRemarks)) - 1)]);
    case Sale:
        return QString::fromUtf16(kSaleRemarks[rng.Int(0, int(std::size(kSaleRemarks)) - 1)]);
    case Service:
        return QString::fromUtf16(kServiceRemarks[rng.Int(0, int(std::size(kServiceRemarks)) - 1)]);
    }
    return {};
}

QString ReasonOption(const Options& o, Reason r) {
    static const QString names[] = {u"房屋租赁"_s, u"房屋买卖"_s, u"中介服务"_s};
    return Options::Choose(o.reasons, names[r], int(r));
}

// Which account a voucher goes through and the token that proves it.
QPair<AccountSlot, QString> ChooseAccount(Rng& rng, bool income, double amount) {
    const QString cash = u"现金"_s, transfer = u"转帐"_s, cheque = u"支票"_s;
    if (income) {
        if (amount >= 20000) return {Icbc, rng.Chance(0.7) ? transfer : cheque};
        if (amount >= 3000) return {rng.Chance(0.55) ? Icbc : Abc, transfer};
        return rng.Chance(0.25) ? qMakePair(Cash, cash) : qMakePair(Abc, transfer);
    }
    if (amount >= 20000) return {Ccb, rng.Chance(0.6) ? transfer : cheque};
    if (amount >= 3000) return {rng.Chance(0.5) ? Ccb : Abc, transfer};
    return rng.Chance(0.65) ? qMakePair(Cash, cash) : qMakePair(Petty, cash);
}

bool WriteDemo(Database& db, const QDate& today, QString& error) {
    if (!RequireEmpty(db, error)) return false;
    Options options;
    if (!ReadOptions(db, options, error)) return false;
    SerialCounter serials[4];
    const QString prefixes[] = {u"XS"_s, u"CG"_s, u"SR"_s, u"ZC"_s};
    for (int i = 0; i < 4; ++i)
        if (!ReadSerial(db, i + 1, prefixes[i], serials[i], error)) return false;
    if (!FillSalesmen(db, error)) return false;

    DemoBuilder builder(today);
    builder.Plan();
    Rng& rng = builder.Random();

    // Each voucher's account, token and keeper, chosen first so the accounts' opening
    // amounts can follow from them.
    struct Booking {
        AccountSlot slot;
        QString token, man;
    };
    std::vector<Booking> bookings;
    double net[std::size(kAccounts)] = {};
    for (const VoucherPlan& v : builder.Vouchers()) {
        auto [slot, token] = ChooseAccount(rng, v.income, v.amount);
        // The petty-cash box is kept by its owner.
        bookings.push_back({slot, token, slot == Petty ? kSalesmen[2].name : v.man});
        net[slot] += v.income ? v.amount : -v.amount;
    }

    qint64 accountKeys[std::size(kAccounts)] = {};
    for (size_t i = 0; i < std::size(kAccounts); ++i) {
        const AccountSeed& a = kAccounts[i];
        const double base = a.balanceToday > 0 ? std::max(0.0, a.balanceToday - net[i]) : a.base;
        accountKeys[i] =
            db.Insert(u"Account"_s, {{u"AccountName"_s, QString::fromUtf16(a.name)},
                                     {u"AccountBase"_s, base},
                                     {u"AccountMan"_s, a.ownedBySalesman ? kSalesmen[2].name : kManager}});
        if (accountKeys[i] < 0) {
            error = db.LastError();
            return false;
        }
    }

    // Customers, with telephone numbers and addresses in the agency's city.
    Statement insertCustomer(db, kCustomerColumns, error);
    for (int c = 0; c < kCustomerCount; ++c) {
        const CustomerSeed& s = kCustomers[c];
        const bool company = s.contact != nullptr;
        const QString district = QString::fromUtf16(kDistricts[rng.Int(0, int(std::size(kDistricts)) - 1)]);
        QString address;
        if (company)
            address = u"杭州市%1%2%3号"_s
                          .arg(district, QString::fromUtf16(kRoads[rng.Int(0, int(std::size(kRoads)) - 1)]))
                          .arg(rng.Int(1, 480));
        else if (rng.Chance(0.8))
            address =
                u"杭州市%1%2%3幢%4单元%5室"_s
                    .arg(district, QString::fromUtf16(kEstates[rng.Int(0, int(std::size(kEstates)) - 1)]))
                    .arg(rng.Int(1, 30))
                    .arg(rng.Int(1, 4))
                    .arg(rng.Int(1, 18) * 100 + rng.Int(1, 4));
        const QString phone =
            company || rng.Chance(0.3) ? u"0571-8%1"_s.arg(rng.Int(1000000, 9999999)) : QString();
        static const int mobilePrefixes[] = {130, 131, 135, 136, 137, 138, 139, 150,
                                             152, 158, 159, 177, 186, 188, 189};
        const QString mobile =
            rng.Chance(company ? 0.7 : 0.95)
                ? u"%1%2"_s.arg(mobilePrefixes[rng.Int(0, int(std::size(mobilePrefixes)) - 1)])
                      .arg(rng.Int(10000000, 99999999))
                : QString();
        const QString fax =
            company && rng.Chance(0.4) ? u"0571-8%1"_s.arg(rng.Int(1000000, 9999999)) : QString();
        const QString mail = company && rng.Chance(0.5) ? u"office%1@example.com"_s.arg(c + 1) : QString();
        insertCustomer.Run({QString::fromUtf16(s.name),
                            company ? QString::fromUtf16(s.contact) : QString::fromUtf16(s.name), phone,
                            mobile, fax, mail, QString(), address, QString::fromUtf16(s.remark),
                            s.openingDebt, OwnerName(s.owner)});
    }
    if (!error.isEmpty()) return false;

    // A bill's progress follows from what its vouchers pay.
    std::vector<BillPlan>& bills = builder.Bills();
    std::vector<VoucherPlan>& vouchers = builder.Vouchers();
    std::vector<double> paid(bills.size(), 0.0);
    for (const VoucherPlan& v : vouchers)
        if (v.bill >= 0) paid[size_t(v.bill)] += v.amount;
    const auto stateOf = [&](size_t i) {
        if (paid[i] >= bills[i].amount - 0.005) return Options::Choose(options.states, u"已完成"_s, 2);
        if (paid[i] > 0 || bills[i].reason == Rental) return Options::Choose(options.states, u"已签约"_s, 1);
        return Options::Choose(options.states, u"洽谈中"_s, 0);
    };

    // Bills in date order, numbered in that order.
    std::vector<int> billOrder(bills.size());
    for (size_t i = 0; i < bills.size(); ++i)
        billOrder[i] = int(i);
    std::stable_sort(billOrder.begin(), billOrder.end(),
                     [&](int a, int b) { return bills[size_t(a)].date < bills[size_t(b)].date; });
    Statement insertBill(db, kBillColumns, error);
    for (int i : billOrder) {
        BillPlan& b = bills[size_t(i)];
        b.serial = serials[b.sale ? 0 : 1].Next();
        const QDate recorded = rng.Chance(0.15) && b.date < today ? b.date.addDays(1) : b.date;
        b.key = insertBill.Run(
            {b.sale ? kSale : kPurchase, b.serial, QString::fromUtf16(kCustomers[b.customer].name),
             b.sale ? b.amount : -b.amount, Iso(b.date), Iso(recorded), ReasonOption(options, b.reason),
             stateOf(size_t(i)), BillRemark(rng, b.reason), b.man});
    }
    if (!error.isEmpty()) return false;

    // Vouchers in date order, numbered in that order.
    std::vector<int> voucherOrder(vouchers.size());
    for (size_t i = 0; i < vouchers.size(); ++i)
        voucherOrder[i] = int(i);
    std::stable_sort(voucherOrder.begin(), voucherOrder.end(),
                     [&](int a, int b) { return vouchers[size_t(a)].date < vouchers[size_t(b)].date; });
    Statement insertMoney(db, kMoneyColumns, error);
    for (int i : voucherOrder) {
        const VoucherPlan& v = vouchers[size_t(i)];
        const Booking& booking = bookings[size_t(i)];
        const QString serial = serials[v.income ? 2 : 3].Next();
        const qint64 billKey = v.bill >= 0 ? bills[size_t(v.bill)].key : 0;
        const int salt = v.order;
        insertMoney.Run({accountKeys[booking.slot], billKey, Iso(v.date), Iso(v.date),
                         QString::fromUtf16(kCustomers[v.customer].name), ReasonOption(options, v.reason),
                         v.income ? v.amount : 0.0, v.income ? 0.0 : v.amount,
                         v.income ? v.amount : -v.amount, Options::Choose(options.types, v.type, salt),
                         Options::Choose(options.tokens, booking.token, salt), v.remark, serial,
                         booking.man});
    }
    if (!error.isEmpty()) return false;

    for (const SerialCounter& s : serials)
        if (!WriteSerial(db, s, error)) return false;
    return true;
}

// ---------------------------------------------------------------------------------------

bool WriteBulk(Database& db, int customers, int bills, int vouchers, const QDate& today, QString& error) {
    if (customers < 1 || bills < 0 || vouchers < 0) {
        error = u"客户数至少为 1，单据数不得为负"_s;
        return false;
    }
    if (!RequireEmpty(db, error)) return false;
    Options options;
    if (!ReadOptions(db, options, error)) return false;
    SerialCounter serials[4];
    const QString prefixes[] = {u"XS"_s, u"CG"_s, u"SR"_s, u"ZC"_s};
    for (int i = 0; i < 4; ++i)
        if (!ReadSerial(db, i + 1, prefixes[i], serials[i], error)) return false;
    if (!FillSalesmen(db, error)) return false;

    Rng rng(7177);
    const QString men[] = {kSalesmen[0].name, kSalesmen[1].name, kSalesmen[2].name, kManager, kDirector};
    const QString bulkAccounts[] = {u"现金"_s, u"工商银行"_s, u"建设银行"_s, u"农业银行"_s};
    std::vector<qint64> accountKeys;
    for (const QString& name : bulkAccounts) {
        const qint64 key =
            db.Insert(u"Account"_s,
                      {{u"AccountName"_s, name}, {u"AccountBase"_s, 50000.0}, {u"AccountMan"_s, kManager}});
        if (key < 0) {
            error = db.LastError();
            return false;
        }
        accountKeys.push_back(key);
    }

    const int width = std::max(5, int(QString::number(customers).size()));
    std::vector<QString> names(static_cast<size_t>(customers));
    Statement insertCustomer(db, kCustomerColumns, error);
    for (int c = 0; c < customers; ++c) {
        names[size_t(c)] = u"客户%1"_s.arg(c + 1, width, 10, QChar(u'0'));
        insertCustomer.Run(
            {names[size_t(c)], u"联系人%1"_s.arg(c + 1), u"0571-8%1"_s.arg(rng.Int(1000000, 9999999)),
             u"13%1"_s.arg(rng.Int(100000000, 999999999)), QString(), QString(), QString(),
             u"杭州市测试路%1号"_s.arg(c + 1), QString(), double(rng.Int(0, 20) * 100), men[c % 5]});
        if (!error.isEmpty()) return false;
    }

    struct BulkBill {
        qint64 key;
        int customer;
        bool sale;
        double amount;
        QDate date;
    };
    std::vector<BulkBill> made;
    made.reserve(size_t(bills));
    Statement insertBill(db, kBillColumns, error);
    for (int i = 0; i < bills; ++i) {
        const int c = rng.Int(0, customers - 1);
        const bool sale = rng.Chance(0.65);
        const double amount = rng.Int(5, 2000) * 10;
        const QDate date = today.addDays(-rng.Int(0, 364));
        const qint64 key = insertBill.Run(
            {sale ? kSale : kPurchase, serials[sale ? 0 : 1].Next(), names[size_t(c)],
             sale ? amount : -amount, Iso(date), Iso(date),
             options.reasons.value(rng.Int(0, int(std::max<qsizetype>(1, options.reasons.size())) - 1)),
             options.states.value(rng.Int(0, int(std::max<qsizetype>(1, options.states.size())) - 1)),
             QString(), men[rng.Int(0, 4)]});
        if (!error.isEmpty()) return false;
        made.push_back({key, c, sale, amount, date});
    }

    Statement insertMoney(db, kMoneyColumns, error);
    for (int i = 0; i < vouchers; ++i) {
        qint64 billKey = 0;
        int c;
        bool income;
        double amount;
        QDate date;
        if (!made.empty() && rng.Chance(0.7)) {
            const BulkBill& b = made[size_t(rng.Int(0, int(made.size()) - 1))];
            billKey = b.key;
            c = b.customer;
            income = b.sale;
            amount = std::max(10.0, std::round(b.amount * rng.Between(0.2, 1.0) / 10) * 10);
            date = std::min(today, b.date.addDays(rng.Int(0, 20)));
        } else {
            c = rng.Int(0, customers - 1);
            income = rng.Chance(0.6);
            amount = rng.Int(1, 500) * 10;
            date = today.addDays(-rng.Int(0, 364));
        }
        const auto pick = [&](const QStringList& list) {
            return list.value(rng.Int(0, int(std::max<qsizetype>(1, list.size())) - 1));
        };
        insertMoney.Run({accountKeys[size_t(rng.Int(0, int(accountKeys.size()) - 1))], billKey, Iso(date),
                         Iso(date), names[size_t(c)], pick(options.reasons), income ? amount : 0.0,
                         income ? 0.0 : amount, income ? amount : -amount, pick(options.types),
                         pick(options.tokens), QString(), serials[income ? 2 : 3].Next(),
                         men[rng.Int(0, 4)]});
        if (!error.isEmpty()) return false;
    }

    for (const SerialCounter& s : serials)
        if (!WriteSerial(db, s, error)) return false;
    return true;
}

bool RunFiller(Database& db, QString* error, const std::function<bool(QString&)>& fill) {
    QString err;
    const bool ok = db.Transaction([&] { return fill(err); });
    if (!ok && error) *error = err.isEmpty() ? db.LastError() : err;
    return ok;
}

} // namespace

bool FillDemoData(Database& db, const QDate& today, QString* error) {
    if (!today.isValid()) {
        if (error) *error = u"日期无效"_s;
        return false;
    }
    return RunFiller(db, error, [&](QString& err) { return WriteDemo(db, today, err); });
}

bool FillBulkData(Database& db, int customers, int bills, int vouchers, const QDate& today, QString* error) {
    if (!today.isValid()) {
        if (error) *error = u"日期无效"_s;
        return false;
    }
    return RunFiller(db, error,
                     [&](QString& err) { return WriteBulk(db, customers, bills, vouchers, today, err); });
}

} // namespace tev
