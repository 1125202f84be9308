// The preview's behaviour apart from painting: zoom steps and fits, page navigation, and the
// messages its companions hear inside and outside BeginUpdate and EndUpdate.
#include "print/previewmodel.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

struct Message {
    TPqPreviewMessage Number;
    int WParam;
    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << "{" << static_cast<int>(m.Number) << ", " << m.WParam << "}";
}

class Recorder : public TPqPreviewListener {
public:
    void PreviewMessage(TPqPreviewMessage message, int wParam) override {
        heard.push_back({message, wParam});
    }
    std::vector<Message> Take() { return std::exchange(heard, {}); }
    std::vector<Message> heard;
};

class PreviewModel : public ::testing::Test {
protected:
    PreviewModel() { model.RegisterListener(&recorder); }
    TPqPreviewModel model;
    Recorder recorder;
};

TEST_F(PreviewModel, StartsWithOnePageAtTwentyPercent) {
    EXPECT_EQ(model.PageCount(), 1);
    EXPECT_EQ(model.CurrentPage(), 1);
    EXPECT_EQ(model.Zoom(), 20);
    EXPECT_EQ(model.MaxZoom(), 200);
    EXPECT_EQ(model.MinZoom(), 10);
    EXPECT_EQ(model.Gutter(), 30);
    EXPECT_EQ(model.ZoomStyle, pqVariableZoom);
    EXPECT_FALSE(model.ReversePrintOrder());
}

TEST_F(PreviewModel, VariableZoomWalksTheStepsWithinItsLimits) {
    model.SetMaxZoom(800);
    model.SetZoom(100);
    model.ZoomIn();
    EXPECT_EQ(model.Zoom(), 120);
    model.SetZoom(100);
    model.ZoomOut();
    EXPECT_EQ(model.Zoom(), 80);
    model.SetZoom(800);
    model.ZoomIn();
    EXPECT_EQ(model.Zoom(), 800);
    model.SetMinZoom(5);
    model.SetZoom(7);
    model.ZoomOut();
    EXPECT_EQ(model.Zoom(), 7);
    model.SetZoom(8);
    model.ZoomOut();
    EXPECT_EQ(model.Zoom(), 7);
    // Back at the default limits, 10 and 200, the zoom stays within them.
    model.SetMaxZoom(200);
    model.SetMinZoom(10);
    model.SetZoom(170);
    model.ZoomIn(); // 250, limited to 200
    EXPECT_EQ(model.Zoom(), 200);
    model.ZoomIn();
    EXPECT_EQ(model.Zoom(), 200);
    model.SetZoom(3);
    EXPECT_EQ(model.Zoom(), 10);
}

TEST_F(PreviewModel, FixedZoomStepsByTheIncrementAndANegativeZoomIsIgnored) {
    model.ZoomStyle = pqFixedZoom;
    model.SetZoom(95);
    model.ZoomIn();
    EXPECT_EQ(model.Zoom(), 105);
    model.ZoomIncrement = 25;
    model.ZoomOut();
    EXPECT_EQ(model.Zoom(), 80);
    recorder.Take();
    model.SetZoom(-1);
    EXPECT_EQ(model.Zoom(), 80);
    EXPECT_TRUE(recorder.Take().empty());
}

TEST_F(PreviewModel, FitsAnA4PageToTheControl) {
    // 8.26 x 11.69 in is 793 x 1122 pixels at 100 %; the default gutter is 30 on each side.
    model.FitWidth(900);
    EXPECT_EQ(model.Zoom(), 103); // 100 x (900 - 60 - 20) / 793
    model.FitHeight(1000);
    EXPECT_EQ(model.Zoom(), 81); // 100 x (1000 - 60 - 20) / 1122
    model.FitWholePage(900, 1000);
    EXPECT_EQ(model.Zoom(), 81);
    model.FitWholePage(500, 2000);
    EXPECT_EQ(model.Zoom(), 52); // 100 x 420 / 793
    model.SetGutter(10);
    model.FitWidth(900);
    EXPECT_EQ(model.Zoom(), 108); // 100 x (900 - 20 - 20) / 793
}

TEST_F(PreviewModel, ALowerMaximumBringsTheZoomDown) {
    model.SetZoom(100);
    recorder.Take();
    model.SetMaxZoom(50);
    EXPECT_EQ(model.Zoom(), 50);
    EXPECT_EQ(recorder.Take(),
              (std::vector<Message>{{pqmPaperImageChanged, 1}, {pqmZoomChanged, 0}}));
    model.SetMinZoom(60);
    EXPECT_EQ(model.Zoom(), 60);
}

TEST_F(PreviewModel, NewPageAnnouncesTheCountThenTheCurrentPage) {
    std::vector<int> changes;
    model.OnPageChange = [&](int page) { changes.push_back(page); };
    model.NewPage();
    EXPECT_EQ(model.CurrentPage(), 2);
    EXPECT_EQ(recorder.Take(), (std::vector<Message>{{pqmPageCountChanged, 2},
                                                     {pqmCurrentPageChanged, 0},
                                                     {pqmPaperImageChanged, 2}}));
    EXPECT_EQ(changes, std::vector<int>{2});
}

TEST_F(PreviewModel, NavigationMovesWithinThePages) {
    model.NewPage();
    model.NewPage();
    std::vector<std::pair<char, int>> events;
    model.OnPageChanging = [&](int page) { events.push_back({'-', page}); };
    model.OnPageChange = [&](int page) { events.push_back({'+', page}); };
    recorder.Take();
    model.FirstPage();
    EXPECT_EQ(model.CurrentPage(), 1);
    model.NextPage();
    model.LastPage();
    model.PrevPage();
    EXPECT_EQ(model.CurrentPage(), 2);
    EXPECT_EQ(events,
              (std::vector<std::pair<char, int>>{
                  {'-', 3}, {'+', 1}, {'-', 1}, {'+', 2}, {'-', 2}, {'+', 3}, {'-', 3}, {'+', 2}}));
    EXPECT_EQ(recorder.Take().back(), (Message{pqmCurrentPageChanged, 0}));
    EXPECT_EQ(model.Canvas().Page(), &model.GetPage(2));
}

TEST_F(PreviewModel, PagesOutOfRangeOrCurrentChangeNothing) {
    model.NewPage();
    recorder.Take();
    int changes = 0;
    model.OnPageChange = [&](int) { ++changes; };
    model.SetCurrentPage(0);
    model.SetCurrentPage(3);
    model.SetCurrentPage(2);
    model.FirstPage();
    model.PrevPage();
    EXPECT_EQ(model.CurrentPage(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(recorder.Take().size(), 2u); // 7037 and 7038 of the one real change
}

TEST_F(PreviewModel, InsideUpdatesOnlyTheUpdateMessagesAreHeardUntilTheOutermostEnds) {
    model.BeginUpdate();
    model.NewPage();
    model.NewPage();
    model.SetZoom(50);
    model.SetCurrentPage(1);
    EXPECT_EQ(model.PageCountAtUpdate(), 1);
    EXPECT_EQ(recorder.Take(), (std::vector<Message>{{pqmBeginUpdate, 0}}));
    model.EndUpdate();
    EXPECT_EQ(recorder.Take(),
              (std::vector<Message>{{pqmPaperImageChanged, 1}, {pqmEndUpdate, 0}}));
    // Nested updates hold the messages until the outermost ends.
    model.BeginUpdate();
    model.BeginUpdate();
    model.NewPage();
    model.EndUpdate();
    EXPECT_EQ(recorder.Take(),
              (std::vector<Message>{{pqmBeginUpdate, 0}, {pqmBeginUpdate, 0}, {pqmEndUpdate, 0}}));
    EXPECT_TRUE(model.Updating());
    model.NewPage();
    model.EndUpdate();
    EXPECT_FALSE(model.Updating());
    EXPECT_EQ(recorder.Take(),
              (std::vector<Message>{{pqmPaperImageChanged, 5}, {pqmEndUpdate, 0}}));
    EXPECT_EQ(model.PageCountAtUpdate(), 3);
}

TEST_F(PreviewModel, DeletingTheOnlyPageLeavesAFreshOne) {
    model.Canvas().TextOut(10, 10, "gone");
    int deletions = 0;
    model.OnDeletePage = [&] { ++deletions; };
    model.DeletePage(1);
    EXPECT_EQ(model.PageCount(), 1);
    EXPECT_EQ(model.CurrentPage(), 1);
    EXPECT_EQ(model.GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(recorder.Take(), (std::vector<Message>{{pqmPageCountChanged, 1},
                                                     {pqmCurrentPageChanged, 0},
                                                     {pqmPaperImageChanged, 1}}));
}

TEST_F(PreviewModel, DeletingTheCurrentLastPageMovesBackOne) {
    model.NewPage();
    model.NewPage();
    recorder.Take();
    model.DeleteCurrentPage();
    EXPECT_EQ(model.PageCount(), 2);
    EXPECT_EQ(model.CurrentPage(), 2);
    auto heard = recorder.Take();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), (Message{pqmPageCountChanged, 2}));
    EXPECT_EQ(heard.back(), (Message{pqmCurrentPageChanged, 0}));
    model.DeletePage(5);
    EXPECT_EQ(model.PageCount(), 2);
}

TEST_F(PreviewModel, ClearLeavesOneEmptyPageAndEmptyPools) {
    model.Canvas().TextOut(10, 10, "x");
    model.NewPage();
    int clears = 0;
    model.OnClear = [&] { ++clears; };
    recorder.Take();
    model.Clear();
    EXPECT_EQ(model.PageCount(), 1);
    EXPECT_EQ(model.GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(model.Document().ResourceTable().Fonts().Count(), 0);
    EXPECT_EQ(clears, 1);
    auto heard = recorder.Take();
    EXPECT_EQ(heard.front(), (Message{pqmBeginUpdate, 0}));
    EXPECT_EQ(heard.back(), (Message{pqmEndUpdate, 0}));
}

TEST_F(PreviewModel, HeaderAndFooterHandlersDrawOnEachNewPage) {
    model.Footer().SetVisible(true);
    std::vector<IntRect> headers;
    std::vector<IntRect> footers;
    model.OnDrawHeader = [&](TPqValueRect& rect, TPqCanvas& canvas) {
        headers.push_back(rect.GetAsUnitsRect());
        canvas.TextOut(20, 10, "Letterhead");
    };
    model.OnDrawFooter = [&](TPqValueRect& rect, TPqCanvas&) {
        footers.push_back(rect.GetAsUnitsRect());
    };
    model.NewPage();
    // The first page, made before the handlers were attached, is announced first.
    EXPECT_EQ(model.GetPage(1).ObjectCount(), 1);
    EXPECT_EQ(model.GetPage(2).ObjectCount(), 1);
    ASSERT_EQ(headers.size(), 2u);
    // Margins of 20 mm on A4 (8.26 in = 20980 hundredths of a millimetre): an invisible header
    // is 0 high; a visible 12-point footer 112/600 in (474 hundredths of a millimetre).
    EXPECT_EQ(headers[1].Left, 2000);
    EXPECT_EQ(headers[1].Top, 2000);
    EXPECT_EQ(headers[1].Right, 18980);
    EXPECT_EQ(headers[1].Bottom, 2000);
    EXPECT_EQ(footers[1].Bottom, 29693 - 2000); // 11.69 in
    EXPECT_EQ(footers[1].Top, 29693 - 2000 - 474);
    EXPECT_NEAR(model.AvailablePageWidth(), 169.80 / 25.4, 1e-12);
}

TEST_F(PreviewModel, TheFirstPageHearsOfHandlersAttachedAfterItWasMadeExactlyOnce) {
    std::vector<std::string> heard;
    auto attach = [&](TPqPreviewModel& m) {
        m.OnNewPage = [&] { heard.push_back("new " + std::to_string(m.CurrentPage())); };
        m.OnDrawHeader = [&](TPqValueRect&, TPqCanvas& canvas) {
            heard.push_back("header");
            canvas.TextOut(20, 10, "Letterhead");
        };
        m.OnDrawFooter = [&](TPqValueRect&, TPqCanvas&) { heard.push_back("footer"); };
    };
    // Loaded by the owner once its handlers are attached.
    attach(model);
    model.Loaded();
    model.Loaded();
    model.NewPage();
    EXPECT_EQ(heard,
              (std::vector<std::string>{"new 1", "header", "footer", "new 2", "header", "footer"}));
    // Not loaded: the body of page 1 is drawn, then the next page is made.
    heard.clear();
    TPqPreviewModel unloaded;
    attach(unloaded);
    unloaded.Canvas().TextOut(20, 50, "Body");
    unloaded.NewPage();
    EXPECT_EQ(heard,
              (std::vector<std::string>{"new 1", "header", "footer", "new 2", "header", "footer"}));
    EXPECT_EQ(unloaded.GetPage(1).ObjectCount(), 2);
    // Cleared: the fresh page is announced by the clear itself, and only then.
    heard.clear();
    unloaded.Clear();
    unloaded.Loaded();
    EXPECT_EQ(heard, (std::vector<std::string>{"new 1", "header", "footer"}));
}

TEST_F(PreviewModel, OrientationTurnsEveryPageAndIsAnnounced) {
    model.NewPage();
    int orientationChanges = 0;
    model.OnChangeOrientation = [&] { ++orientationChanges; };
    recorder.Take();
    model.SetOrientation(pqLandscape);
    EXPECT_EQ(orientationChanges, 1);
    EXPECT_EQ(model.GetPage(1).Orientation(), pqLandscape);
    EXPECT_DOUBLE_EQ(model.PageWidth(), 11.69);
    EXPECT_EQ(model.HandleMessage(pqmGetOrientation, 0), pqLandscape);
    auto heard = recorder.Take();
    EXPECT_EQ(heard.front(), (Message{pqmBeginUpdate, 0}));
    EXPECT_EQ(heard.back(), (Message{pqmLayoutChanged, 0}));
    model.GetPage(2).SetOrientation(pqPortrait);
    EXPECT_EQ(model.HandleMessage(pqmGetOrientation, 0), 2);
    EXPECT_EQ(recorder.Take().front(), (Message{pqmLayoutChanged, 0}));
}

TEST_F(PreviewModel, PaperSizeIsAnnouncedEvenInsideAnUpdate) {
    model.BeginUpdate();
    recorder.Take();
    model.SetPaperSize(TPqPaperSize::Custom);
    EXPECT_TRUE(recorder.Take().empty());
    EXPECT_EQ(model.PaperSize(), TPqPaperSize::A4);
    model.SetPaperSize(TPqPaperSize::Letter);
    EXPECT_EQ(recorder.Take(), (std::vector<Message>{{pqmLayoutChanged, 0}}));
    EXPECT_DOUBLE_EQ(model.GetPage(1).Height(), 11);
    model.HandleMessage(pqmSetPaperSize, static_cast<int>(TPqPaperSize::A5));
    EXPECT_EQ(model.PaperSize(), TPqPaperSize::A5);
    model.EndUpdate();
}

TEST_F(PreviewModel, PagesPerSheetAndPrinterChangesAreAnnounced) {
    model.SetPagesPerSheet(pqFourPage);
    model.SetPagesPerSheet(pqFourPage);
    int printerChanges = 0;
    model.OnChangePrinter = [&] { ++printerChanges; };
    model.PrinterChanged();
    EXPECT_EQ(recorder.Take(),
              (std::vector<Message>{{pqmPagesPerSheetChanged, 0}, {pqmPrinterChanged, 0}}));
    EXPECT_EQ(printerChanges, 1);
}

TEST_F(PreviewModel, ListenersAreHeardOnceAndCanLeave) {
    model.RegisterListener(&recorder);
    model.NewPage();
    EXPECT_EQ(recorder.Take().size(), 3u);
    model.UnregisterListener(&recorder);
    model.NewPage();
    EXPECT_TRUE(recorder.Take().empty());
}

} // namespace
} // namespace duebell
