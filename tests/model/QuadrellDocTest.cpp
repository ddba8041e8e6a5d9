#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

using Elements = std::vector<const CElement*>;

// Wires go in at the head and sources at the tail, as the editor puts them.
CElement* AddWire(CQuadrellDoc& doc) {
    return doc.AddElementAtHead(std::make_unique<CWire>(0, 0, 0, 9, 1, 5, 0));
}

TEST(CQuadrellDoc, PositionsSurviveRemovalsAndStrangersAreIgnored) {
    CQuadrellDoc doc;
    EXPECT_FALSE(doc.GetFirstElementPosition());
    const CElement* s = doc.AddElementAtTail(std::make_unique<CSource>(0, 0, 0, 1, 0));
    const CElement* a = AddWire(doc);
    CElement* b = AddWire(doc);
    EXPECT_EQ(doc.AddElementAtHead(nullptr), nullptr);
    EXPECT_EQ(doc.AddElementAtTail(nullptr), nullptr);
    CWire stranger(0, 0, 0, 9, 1, 5, 0);
    doc.RemoveElement(&stranger);
    ElementPosition pos = doc.GetFirstElementPosition();
    EXPECT_EQ(doc.GetNextElement(pos), b);
    doc.RemoveElement(b);
    Elements rest;
    while (pos) rest.push_back(doc.GetNextElement(pos));
    EXPECT_EQ(rest, (Elements{a, s}));
    EXPECT_EQ(doc.GetNextElement(pos), nullptr);
    EXPECT_FALSE(doc.ContainsElement(b));
}

class CRecordingObserver : public CDocumentObserver {
  public:
    explicit CRecordingObserver(CQuadrellDoc& doc) : m_doc(doc) { doc.AddObserver(this); }
    ~CRecordingObserver() override { m_doc.RemoveObserver(this); }

    void OnElementRemoved(const CElement* element) override {
        m_removed.push_back(element);
        m_stillListedWhenTold = m_doc.ContainsElement(element);
        if (m_alsoDrop) m_doc.RemoveObserver(m_alsoDrop);
    }
    void OnDocumentUpdated() override { ++m_updates; }

    CQuadrellDoc& m_doc;
    Elements m_removed;
    bool m_stillListedWhenTold = false;
    int m_updates = 0;
    CDocumentObserver* m_alsoDrop = nullptr;
};

TEST(CQuadrellDoc, ViewsHearOfARemovalBeforeTheElementIsDestroyed) {
    CQuadrellDoc doc;
    CRecordingObserver first(doc), second(doc), third(doc);
    first.m_alsoDrop = &third;  // a view closing while the views are being told
    doc.AddObserver(&second);   // a second registration changes nothing
    doc.AddObserver(nullptr);
    CElement* wire = AddWire(doc);
    doc.RemoveElement(nullptr);
    doc.RemoveElement(wire);
    doc.UpdateAllViews();
    for (const CRecordingObserver* view : {&first, &second}) {
        EXPECT_EQ(view->m_removed, Elements{wire});
        EXPECT_TRUE(view->m_stillListedWhenTold);
        EXPECT_EQ(view->m_updates, 1);
    }
    EXPECT_EQ(std::pair(third.m_removed.size(), third.m_updates), std::pair(size_t(0), 0));
    EXPECT_FALSE(doc.GetFirstElementPosition());
}

}  // namespace
