#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

// Elements that count their own destruction, by name.
std::map<std::string, int> g_destroyed;

class CCountedWire : public CWire {
  public:
    explicit CCountedWire(std::string name) : CWire(0, 0, 0, 100, 0.005f, 5, 0), m_name(name) {}
    ~CCountedWire() override { ++g_destroyed[m_name]; }
    const std::string m_name;
};

class CCountedSource : public CSource {
  public:
    explicit CCountedSource(std::string name) : CSource(0, 0, 0, 1, 0), m_name(name) {}
    ~CCountedSource() override { ++g_destroyed[m_name]; }
    const std::string m_name;
};

std::string NameOf(const CElement* element) {
    if (element->GetType() == ELEMENT_WIRE)
        return static_cast<const CCountedWire*>(element)->m_name;
    return static_cast<const CCountedSource*>(element)->m_name;
}

std::vector<std::string> Order(const CQuadrellDoc& doc) {
    std::vector<std::string> names;
    for (ElementPosition pos = doc.GetFirstElementPosition(); pos;) {
        names.push_back(NameOf(doc.GetNextElement(pos)));
    }
    return names;
}

class CQuadrellDocTest : public testing::Test {
  protected:
    void SetUp() override { g_destroyed.clear(); }

    CElement* AddWire(CQuadrellDoc& doc, const std::string& name) {
        return doc.AddElementAtHead(std::make_unique<CCountedWire>(name));
    }
    CElement* AddSource(CQuadrellDoc& doc, const std::string& name) {
        return doc.AddElementAtTail(std::make_unique<CCountedSource>(name));
    }
};

using Names = std::vector<std::string>;

TEST_F(CQuadrellDocTest, WiresGoToTheHeadAndSourcesToTheTail) {
    CQuadrellDoc doc;
    EXPECT_FALSE(doc.GetFirstElementPosition());
    CElement* a = AddWire(doc, "A");
    AddSource(doc, "S");
    CElement* b = AddWire(doc, "B");
    AddSource(doc, "T");
    EXPECT_EQ(Order(doc), (Names{"B", "A", "S", "T"}));

    doc.RemoveElement(a);
    EXPECT_EQ(Order(doc), (Names{"B", "S", "T"}));
    EXPECT_EQ(g_destroyed["A"], 1);

    // Rotating replaces a wire by a new one at the head.
    doc.RemoveElement(b);
    AddWire(doc, "B'");
    EXPECT_EQ(Order(doc), (Names{"B'", "S", "T"}));

    AddWire(doc, "C");
    AddSource(doc, "U");
    EXPECT_EQ(Order(doc), (Names{"C", "B'", "S", "T", "U"}));
}

TEST_F(CQuadrellDocTest, PositionsSurviveRemovalOfOtherNodes) {
    CQuadrellDoc doc;
    AddWire(doc, "A");
    CElement* b = AddWire(doc, "B");
    AddSource(doc, "S");
    ElementPosition pos = doc.GetFirstElementPosition();
    EXPECT_EQ(NameOf(doc.GetNextElement(pos)), "B");
    // pos now names A; removing B must not disturb it.
    doc.RemoveElement(b);
    EXPECT_EQ(NameOf(doc.GetNextElement(pos)), "A");
    EXPECT_EQ(NameOf(doc.GetNextElement(pos)), "S");
    EXPECT_FALSE(pos);
    EXPECT_EQ(doc.GetNextElement(pos), nullptr);
}

TEST_F(CQuadrellDocTest, RemovingNullOrAStrangerDoesNothing) {
    CQuadrellDoc doc;
    AddWire(doc, "A");
    doc.RemoveElement(nullptr);
    CCountedWire stranger("X");
    doc.RemoveElement(&stranger);
    EXPECT_EQ(Order(doc), (Names{"A"}));
    EXPECT_EQ(g_destroyed["X"], 0);
    EXPECT_EQ(doc.AddElementAtHead(nullptr), nullptr);
    EXPECT_EQ(doc.GetElements().GetCount(), 1u);
}

TEST_F(CQuadrellDocTest, DestroyingTheDocumentDestroysEachElementOnce) {
    {
        CQuadrellDoc doc;
        AddWire(doc, "A");
        AddSource(doc, "S");
        AddWire(doc, "B");
        doc.RemoveElement(
            doc.GetNextElement(*std::make_unique<ElementPosition>(doc.GetFirstElementPosition())));
    }
    EXPECT_EQ(g_destroyed, (std::map<std::string, int>{{"A", 1}, {"B", 1}, {"S", 1}}));
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
    std::vector<const CElement*> m_removed;
    bool m_stillListedWhenTold = false;
    int m_updates = 0;
    CDocumentObserver* m_alsoDrop = nullptr;
};

TEST_F(CQuadrellDocTest, ViewsAreToldWhichElementLeavesBeforeItIsDestroyed) {
    CQuadrellDoc doc;
    CRecordingObserver first(doc);
    CRecordingObserver second(doc);
    CElement* a = AddWire(doc, "A");
    doc.RemoveElement(a);
    EXPECT_EQ(first.m_removed, (std::vector<const CElement*>{a}));
    EXPECT_EQ(second.m_removed, (std::vector<const CElement*>{a}));
    EXPECT_TRUE(first.m_stillListedWhenTold);

    doc.UpdateAllViews();
    EXPECT_EQ(first.m_updates, 1);
    EXPECT_EQ(second.m_updates, 1);

    // Removing nothing tells nobody.
    doc.RemoveElement(nullptr);
    EXPECT_EQ(first.m_removed.size(), 1u);
}

TEST_F(CQuadrellDocTest, AViewThatLeavesDuringANotificationIsNotCalled) {
    CQuadrellDoc doc;
    CRecordingObserver first(doc);
    CRecordingObserver second(doc);
    first.m_alsoDrop = &second;
    doc.RemoveElement(AddSource(doc, "S"));
    EXPECT_EQ(first.m_removed.size(), 1u);
    EXPECT_TRUE(second.m_removed.empty());
    doc.UpdateAllViews();
    EXPECT_EQ(second.m_updates, 0);
}

}  // namespace
