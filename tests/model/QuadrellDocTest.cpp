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

struct CRecordingObserver : CDocumentObserver {
    explicit CRecordingObserver(CQuadrellDoc& document) : doc(&document) {}
    void OnElementRemoved(const CElement* element) override {
        removed.push_back(element);
        stillListedWhenTold = doc->ContainsElement(element);
        if (alsoDrop) doc->RemoveObserver(alsoDrop);
    }
    void OnDocumentUpdated() override { ++updates; }

    CQuadrellDoc* doc;
    CDocumentObserver* alsoDrop = nullptr;
    Elements removed;
    bool stillListedWhenTold = false;
    int updates = 0;
};

TEST(CQuadrellDoc, ViewsHearOfARemovalBeforeTheElementIsDestroyed) {
    CQuadrellDoc doc;
    CRecordingObserver first(doc), second(doc), third(doc);
    for (CDocumentObserver* view : {&first, &second, &third, &second}) doc.AddObserver(view);
    doc.AddObserver(nullptr);
    first.alsoDrop = &third;  // a view closing while the views are being told
    CElement* wire = AddWire(doc);
    doc.RemoveElement(nullptr);
    doc.RemoveElement(wire);
    doc.UpdateAllViews();
    for (const CRecordingObserver* view : {&first, &second}) {
        EXPECT_EQ(view->removed, Elements{wire});
        EXPECT_TRUE(view->stillListedWhenTold);
        EXPECT_EQ(view->updates, 1);  // once, though registered twice
    }
    EXPECT_EQ(std::pair(third.removed.size(), third.updates), std::pair(size_t(0), 0));
    EXPECT_FALSE(doc.GetFirstElementPosition());
}

}  // namespace
