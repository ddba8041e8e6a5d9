#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

using Names = std::vector<std::string>;
using Counts = std::map<std::string, int>;

std::map<const CElement*, std::string> g_names;
Counts g_destroyed;

// An element that counts its own destruction under its name.
template <typename Base>
class CCounted : public Base {
  public:
    using Base::Base;
    ~CCounted() override { ++g_destroyed[g_names[this]]; }
};

class CQuadrellDocTest : public testing::Test {
  protected:
    void SetUp() override {
        g_names.clear();
        g_destroyed.clear();
    }
    static CElement* Named(CElement* element, const std::string& name) {
        g_names[element] = name;
        return element;
    }
    // Wires go in at the head and sources at the tail, as the editor puts them.
    static CElement* AddWire(CQuadrellDoc& doc, const std::string& name) {
        return Named(doc.AddElementAtHead(std::make_unique<CCounted<CWire>>(0, 0, 0, 9, 1, 5, 0)),
                     name);
    }
    static CElement* AddSource(CQuadrellDoc& doc, const std::string& name) {
        return Named(doc.AddElementAtTail(std::make_unique<CCounted<CSource>>(0, 0, 0, 1, 0)),
                     name);
    }
    static Names Order(const CQuadrellDoc& doc) {
        Names names;
        for (ElementPosition pos = doc.GetFirstElementPosition(); pos;) {
            names.push_back(g_names[doc.GetNextElement(pos)]);
        }
        return names;
    }
};

TEST_F(CQuadrellDocTest, KeepsWiresNewestFirstThenSourcesOldestFirst) {
    CQuadrellDoc doc;
    EXPECT_FALSE(doc.GetFirstElementPosition());
    AddWire(doc, "A");
    AddSource(doc, "S");
    CElement* b = AddWire(doc, "B");
    AddSource(doc, "T");
    EXPECT_EQ(Order(doc), (Names{"B", "A", "S", "T"}));

    // A position stays on its node while another one is removed.
    ElementPosition pos = doc.GetFirstElementPosition();
    doc.GetNextElement(pos);
    doc.RemoveElement(b);
    EXPECT_EQ(g_destroyed, (Counts{{"B", 1}}));
    for (const char* name : {"A", "S", "T"}) EXPECT_EQ(g_names[doc.GetNextElement(pos)], name);
    EXPECT_FALSE(pos);
    EXPECT_EQ(doc.GetNextElement(pos), nullptr);
    EXPECT_EQ(Order(doc), (Names{"A", "S", "T"}));
}

TEST_F(CQuadrellDocTest, IgnoresNullAndStrangersAndDestroysEachElementOnce) {
    {
        CQuadrellDoc doc;
        AddWire(doc, "A");
        AddSource(doc, "S");
        EXPECT_EQ(doc.AddElementAtHead(nullptr), nullptr);
        EXPECT_EQ(doc.AddElementAtTail(nullptr), nullptr);
        doc.RemoveElement(nullptr);
        CCounted<CWire> stranger(0, 0, 0, 9, 1, 5, 0);
        doc.RemoveElement(Named(&stranger, "X"));
        EXPECT_EQ(Order(doc), (Names{"A", "S"}));
        EXPECT_TRUE(g_destroyed.empty());
    }
    EXPECT_EQ(g_destroyed, (Counts{{"A", 1}, {"S", 1}, {"X", 1}}));
}

class CRecordingObserver : public CDocumentObserver {
  public:
    explicit CRecordingObserver(CQuadrellDoc& doc) : m_doc(doc) { doc.AddObserver(this); }
    ~CRecordingObserver() override { m_doc.RemoveObserver(this); }

    void OnElementRemoved(const CElement* element) override {
        m_removed.push_back(element);
        m_stillListedWhenTold = m_doc.ContainsElement(element) && g_destroyed.empty();
        if (m_alsoDrop) m_doc.RemoveObserver(m_alsoDrop);
    }
    void OnDocumentUpdated() override { ++m_updates; }

    CQuadrellDoc& m_doc;
    std::vector<const CElement*> m_removed;
    bool m_stillListedWhenTold = false;
    int m_updates = 0;
    CDocumentObserver* m_alsoDrop = nullptr;
};

TEST_F(CQuadrellDocTest, EveryViewHearsOfARemovalBeforeTheElementIsDestroyed) {
    CQuadrellDoc doc;
    CRecordingObserver first(doc);
    CRecordingObserver second(doc);
    doc.AddObserver(&first);  // a second registration changes nothing
    doc.AddObserver(nullptr);
    CElement* a = AddWire(doc, "A");
    doc.RemoveElement(nullptr);
    doc.RemoveElement(a);
    doc.UpdateAllViews();
    for (const CRecordingObserver* view : {&first, &second}) {
        EXPECT_EQ(view->m_removed, (std::vector<const CElement*>{a}));
        EXPECT_TRUE(view->m_stillListedWhenTold);
        EXPECT_EQ(view->m_updates, 1);
    }
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
