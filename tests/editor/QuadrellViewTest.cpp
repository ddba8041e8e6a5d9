#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"

namespace {

const QRgb kAxis = qRgb(0, 100, 255);

class CQuadrellViewTest : public testing::Test {
  protected:
    CQuadrellViewTest() : m_view(std::make_unique<CQuadrellView>(m_doc)) {
        m_view->resize(801, 601);
        m_view->OnInitialUpdate();
    }

    QImage Render() { return m_view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    CQuadrellDoc m_doc;
    std::unique_ptr<CQuadrellView> m_view;
};

TEST_F(CQuadrellViewTest, OriginFollowsTheCentreOfTheClientArea) {
    EXPECT_EQ(m_view->OnPrepareDC(), (CPoint{400, 300}));
    EXPECT_EQ(m_view->ClientToLogical(QPoint(400, 300)), (CPoint{0, 0}));
    EXPECT_EQ(m_view->ClientToLogical(QPoint(0, 0)), (CPoint{-400, -300}));

    m_doc.AddElementAtHead(std::make_unique<CWire>(0, 50, 0, 100, 0.005f, 5, 0));
    QImage before = Render();
    EXPECT_EQ(before.pixel(400 + 20, 300 + 50), qRgb(0, 0, 0));

    m_view->resize(1001, 601);
    EXPECT_EQ(m_view->OnPrepareDC(), (CPoint{500, 300}));
    QImage after = Render();
    EXPECT_EQ(after.pixel(500 + 20, 300 + 50), qRgb(0, 0, 0));
    EXPECT_NE(after.pixel(400 + 20, 300 + 50), qRgb(0, 0, 0));
}

TEST_F(CQuadrellViewTest, PaintsAxesGridMarksAndElementsOnTheWindowColour) {
    m_doc.AddElementAtTail(std::make_unique<CSource>(-200, 100, 0, 1, 0));
    const QImage image = Render();
    const int cx = 400, cy = 300;
    EXPECT_EQ(image.pixel(cx, cy - 30), kAxis);         // up arrow
    EXPECT_EQ(image.pixel(cx + 30, cy), kAxis);         // right arrow
    EXPECT_EQ(image.pixel(cx + 100, cy + 100), kAxis);  // a grid mark
    EXPECT_EQ(image.pixel(cx - 300, cy - 200), kAxis);
    EXPECT_EQ(image.pixel(cx + 50, cy + 50), m_view->palette().color(QPalette::Base).rgb());
    EXPECT_EQ(image.pixel(cx - 200, cy + 100 - 3), qRgb(0, 255, 0));
}

TEST_F(CQuadrellViewTest, DrawsInTheOrderOfAxesGridAndList) {
    m_doc.AddElementAtHead(std::make_unique<CWire>(0, 0, 0, 100, 0.005f, 5, 0));
    m_doc.AddElementAtTail(std::make_unique<CSource>(100, 0, 0, 1, 0));
    CRecordingSurface surface;
    m_view->OnDraw(surface);
    // 6 axis strokes, 2 per grid mark, 3 for the wire, 2 for the source.
    ASSERT_EQ(surface.Lines().size(), 6u + 2 * 77 + 3 + 2);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{0, 0}, {0, -60}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[6], (RecordedLine{{-500, -301}, {-500, -299}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[7], (RecordedLine{{-501, -300}, {-499, -300}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[6 + 154].color, (PenColor{0, 0, 0}));
    EXPECT_EQ(surface.Lines().back().color, (PenColor{0, 255, 0}));
    EXPECT_EQ(surface.CurrentPen(), (Pen::Solid({1, 2, 3})));
}

TEST_F(CQuadrellViewTest, StartsInSelectModeWithItsInitialValues) {
    EXPECT_TRUE(m_view->IsInSelectMode());
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    EXPECT_EQ(m_view->GetLastFrequency(), 1.0f);
    EXPECT_EQ(m_view->GetSnapMode(), 1);
    EXPECT_EQ(m_view->GetOrigin(), (CPoint{0, 0}));
}

TEST(QuadrellView, CoordinateReadoutShowsDeckCoordinates) {
    EXPECT_EQ(CQuadrellView::FormatElementCoordinates(CSource(10, -20, 0, 1, 0)), "(10., 20.)");
    EXPECT_EQ(CQuadrellView::FormatElementCoordinates(CWire(0, -10, 0, 100, 0.005f, 5, 0)),
              "(0., 10.)  (100., 10.)");
    EXPECT_EQ(CQuadrellView::FormatElementCoordinates(CWire(100, -50, 0, 100, 0.005f, 5, 0)),
              "(100., 50.)  (200., 50.)");
    EXPECT_EQ(CQuadrellView::FormatElementCoordinates(CSource(0, 50, 0, 1, 0)), "(0., -50.)");
    EXPECT_EQ(CQuadrellView::FormatElementCoordinates(CSource(0.25f, 0, 0, 1, 0)), "(0.25, 0.)");
}

TEST_F(CQuadrellViewTest, PrintedPageHasItsOriginAtTheClientCentre) {
    m_doc.AddElementAtHead(std::make_unique<CWire>(-100, 0, 0, 200, 0.005f, 5, 0));
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        m_view->PrintPage(painter);
    }
    // One device unit per logical unit, origin at device (400, 300).
    EXPECT_EQ(page.pixel(400, 270), kAxis);
    EXPECT_EQ(page.pixel(400 - 50, 300), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(400 + 500, 300 + 300), kAxis);
    EXPECT_EQ(page.pixel(400 + 150, 300), qRgb(255, 255, 255));
}

TEST_F(CQuadrellViewTest, ViewsOfOneDesignRegisterAndLeaveAsObservers) {
    auto second = std::make_unique<CQuadrellView>(m_doc);
    CElement* wire = m_doc.AddElementAtHead(std::make_unique<CWire>(0, 0, 0, 10, 0.005f, 5, 0));
    m_view->OnLButtonDown({5, 0});
    ASSERT_EQ(m_view->GetSelected(), wire);
    second.reset();
    // The remaining view is still told and lets go of the element; the gone
    // one must not be told at all (the sanitizer build would catch it).
    m_doc.RemoveElement(wire);
    m_doc.UpdateAllViews();
    EXPECT_EQ(m_view->GetSelected(), nullptr);
}

}  // namespace
