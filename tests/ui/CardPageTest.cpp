// The card-page mechanism shared by the four kinds, driven through the customers page:
// icons, paging, the status line, hover highlighting and clicks.

#include "tests/ui/CustomerFixture.h"

#include "cards/CardPage.h"
#include "ui/Globals.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::CustomerFixture;

namespace {

TEST(TileIcon, ColourWordLevelsAndStrictThresholds) {
    struct Case {
        double amount;
        const char16_t* word;
        double t1, t2;
        const char16_t* expected;
    } cases[] = {
        {0, u"Blue", 30000, 100000, u"Money0.ico"},
        {-0.0, u"Yellow", 30000, 100000, u"Money0.ico"},
        {0.01, u"Blue", 30000, 100000, u"Blue+.ico"},
        {-50, u"Yellow", 30000, 100000, u"Yellow+.ico"},
        {3000, u"Purple", 3000, 10000, u"Purple+.ico"}, // thresholds compare strictly
        {3000.01, u"Purple", 3000, 10000, u"Purple++.ico"},
        {-4500, u"Green", 3000, 10000, u"Green++.ico"},
        {10000, u"Green", 3000, 10000, u"Green++.ico"},
        {-12000, u"Purple", 3000, 10000, u"Purple+++.ico"},
        {-40000, u"Blue", 30000, 100000, u"Blue++.ico"},
        {-150000, u"Yellow", 30000, 100000, u"Yellow+++.ico"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TileIconName(c.amount, QString::fromUtf16(c.word), c.t1, c.t2),
                  QString::fromUtf16(c.expected))
            << c.amount;
}

TEST(CardStatus, PagesAndText) {
    struct Case {
        int count, page;
        const char16_t* text;
    } cases[] = {
        {0, 0, u"共 0 记录，第 1/1 页"},   {15, 0, u"共 15 记录，第 1/1 页"},
        {16, 1, u"共 16 记录，第 2/2 页"}, {30, 0, u"共 30 记录，第 1/2 页"},
        {15, 1, u"共 15 记录，第 2/1 页"}, // a page past the end is shown as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(CardStatusText(c.count, c.page, CardPageCount(c.count)), QString::fromUtf16(c.text))
            << c.count;
}

class CardPageTest : public CustomerFixture {
protected:
    void AddCustomers(int count) {
        for (int i = 0; i < count; ++i)
            AddCustomer(u"客户%1"_s.arg(++m_added, 2, 10, QChar(u'0')));
    }
    int m_added = 0;
    struct PageState {
        QString status;
        int tiles;
        bool prior, next, empty;
        bool operator==(const PageState&) const = default;
    };
    PageState State() const {
        return {Page()->Status->text(), VisibleTiles(), Page()->Prior->isEnabled(), Page()->Next->isEnabled(),
                Page()->EmptyImage->isVisibleTo(Page()->Sheet)};
    }
    static void SendMouse(QWidget* w, QEvent::Type type) {
        const QPointF pos(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent e(type, pos, w->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void SendEnter(QWidget* w) {
        const QPointF pos(2, 2);
        QEnterEvent e(pos, pos, w->mapToGlobal(pos));
        QCoreApplication::sendEvent(w, &e);
    }
};

TEST_F(CardPageTest, ZeroFifteenAndSixteenRecords) {
    struct Case {
        int records;
        PageState first;
    } cases[] = {
        {0, {u"共 0 记录，第 1/1 页"_s, 0, false, false, true}},
        {15, {u"共 15 记录，第 1/1 页"_s, 15, false, false, false}},
        {16, {u"共 16 记录，第 1/2 页"_s, 15, false, true, false}},
    };
    int stored = 0;
    for (const Case& c : cases) {
        AddCustomers(c.records - stored);
        stored = c.records;
        Page()->PageNumber = 0;
        Page()->Refresh();
        EXPECT_EQ(State(), c.first) << c.records << " records: " << State().status.toStdString();
    }
    // Forward to the second page of sixteen: tile 1 only, and only the back button.
    Page()->Next->click();
    EXPECT_EQ(Page()->PageNumber, 1);
    EXPECT_EQ(State(), (PageState{u"共 16 记录，第 2/2 页"_s, 1, true, false, false}));
    EXPECT_TRUE(Page()->Tile(1)->isVisibleTo(Page()->Sheet));
    Page()->Prior->click();
    EXPECT_EQ(State(), (PageState{u"共 16 记录，第 1/2 页"_s, 15, false, true, false}));
}

TEST_F(CardPageTest, PagePastTheEndAfterDeletingShowsNoTilesAndBackReturns) {
    AddCustomers(16);
    Page()->Refresh();
    Page()->Next->click();
    ASSERT_EQ(VisibleTiles(), 1);
    Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {Page()->Tile(1)->Tag});
    Page()->Refresh();
    EXPECT_EQ(State(), (PageState{u"共 15 记录，第 2/1 页"_s, 0, true, false, false}));
    Page()->Prior->click();
    EXPECT_EQ(State(), (PageState{u"共 15 记录，第 1/1 页"_s, 15, false, false, false}));
}

TEST_F(CardPageTest, TilesSitInThreeColumnsAndFiveRowsWithTheirNames) {
    struct Case {
        int n, x, y;
    } cases[] = {{1, 8, 8}, {2, 224, 8}, {3, 440, 8}, {7, 8, 180}, {15, 440, 352}};
    for (const Case& c : cases) {
        auto* panel = tevtest::Find<CardTile>(Page()->Sheet, u"CustomerPanel%1"_s.arg(c.n));
        EXPECT_EQ(panel->geometry(), QRect(c.x, c.y, 209, 79)) << c.n;
        EXPECT_EQ(tevtest::Find<QLabel>(panel, u"CustomerImage%1"_s.arg(c.n))->geometry(),
                  QRect(8, 8, 41, 41));
        EXPECT_EQ(tevtest::Find<QLabel>(panel, u"CustomerType%1"_s.arg(c.n))->geometry(),
                  QRect(4, 50, 48, 20));
        EXPECT_EQ(tevtest::Find<QLabel>(panel, u"CustomerName%1"_s.arg(c.n))->geometry(),
                  QRect(92, 8, 114, 20));
        EXPECT_EQ(tevtest::Find<QLabel>(panel, u"CustomerMoney%1"_s.arg(c.n))->geometry(),
                  QRect(92, 29, 114, 20));
        EXPECT_EQ(tevtest::Find<QLabel>(panel, u"CustomerOwe%1"_s.arg(c.n))->geometry(),
                  QRect(92, 50, 114, 20));
        EXPECT_FALSE(panel->isVisibleTo(Page()->Sheet)); // all tiles start hidden
    }
    EXPECT_EQ(Page()->Prior->text(), u"上一页"_s);
    EXPECT_EQ(Page()->Next->text(), u"下一页"_s);
}

TEST_F(CardPageTest, HoverRepaintsOnlyTilesWhoseColourChanges) {
    AddCustomers(6);
    FormMain->show();
    Page()->Refresh();
    QApplication::processEvents();

    // Count the paints of each panel.
    struct PaintCounter : QObject {
        std::map<QObject*, int> paints;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints[o];
            return false;
        }
    } counter;
    for (int n = 1; n <= 6; ++n)
        Page()->Tile(n)->installEventFilter(&counter);
    auto paintedTiles = [&] {
        QApplication::processEvents();
        std::vector<int> out;
        for (int n = 1; n <= 6; ++n)
            if (counter.paints[Page()->Tile(n)] > 0) out.push_back(n);
        counter.paints.clear();
        return out;
    };

    // The first hover moves every tile off the button-face colour.
    SendEnter(Page()->Tile(5)->Values[1]);
    EXPECT_EQ(Page()->Tile(5)->Background(), TileHighlightColour);
    EXPECT_EQ(Page()->Tile(4)->Background(), TileNormalColour);
    EXPECT_EQ(paintedTiles(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    // Within the same tile nothing is repainted.
    SendEnter(Page()->Tile(5)->Image);
    SendMouse(Page()->Tile(5), QEvent::MouseMove);
    EXPECT_EQ(paintedTiles(), std::vector<int>{});
    // To the next tile: the two tiles that change.
    SendEnter(Page()->Tile(6)->Captions[0]);
    EXPECT_EQ(paintedTiles(), (std::vector<int>{5, 6}));
    EXPECT_EQ(Page()->Tile(6)->Background(), TileHighlightColour);
    // The bare page: the highlighted tile goes back to normal.
    SendMouse(Page()->Sheet, QEvent::MouseMove);
    EXPECT_EQ(paintedTiles(), std::vector<int>{6});
    EXPECT_EQ(Page()->Tile(6)->Background(), TileNormalColour);
    FormMain->hide();
}

TEST_F(CardPageTest, ClickOnAnyPartOfATileOpensItsRecordAndOkRefreshes) {
    AddCustomers(3);
    Page()->Refresh();
    auto click = [](QWidget* w) {
        SendMouse(w, QEvent::MouseButtonPress);
        SendMouse(w, QEvent::MouseButtonRelease);
    };
    // With no customer window plugged in, a click opens nothing (and raises no prompt).
    Page()->ShowCustomerWindow = nullptr;
    click(Page()->Tile(1));

    std::vector<qint64> opened;
    int answer = QDialog::Rejected;
    Page()->ShowCustomerWindow = [&](qint64 key) {
        opened.push_back(key);
        // The window changed the customer; only an OK makes the page show it.
        Sql(u"UPDATE Customer SET CustomerName = CustomerName || '改' WHERE CustomerIndex = ?"_s, {key});
        return answer;
    };
    const QString before = TileTexts(3)[0];
    click(Page()->Tile(3)->Values[2]);
    EXPECT_EQ(TileTexts(3)[0], before); // cancelled: no refresh
    answer = QDialog::Accepted;
    click(Page()->Tile(2)->Image);
    click(Page()->Tile(1));
    click(Page()->Tile(1)->Captions[1]);
    EXPECT_EQ(opened, (std::vector<qint64>{Page()->Tile(3)->Tag, Page()->Tile(2)->Tag, Page()->Tile(1)->Tag,
                                           Page()->Tile(1)->Tag}));
    EXPECT_EQ(TileTexts(2)[0], u"客户02改"_s);
    EXPECT_EQ(TileTexts(1)[0], u"客户03改改"_s);
    EXPECT_EQ(TileTexts(3)[0], u"客户01改"_s); // the cancelled change shows with the next refresh
}

} // namespace
