#pragma once

#include <cstddef>
#include <list>
#include <memory>

#include "model/Element.h"

// The document's ordered list of owned elements. Positions stay valid while
// other nodes are inserted or removed; a position that is "none" is false.
class CElementList {
    using Nodes = std::list<std::unique_ptr<CElement>>;

  public:
    class Position {
      public:
        Position() = default;
        explicit operator bool() const { return m_valid; }

      private:
        friend class CElementList;
        Nodes::const_iterator m_node{};
        bool m_valid = false;
    };

    CElementList() = default;
    CElementList(const CElementList&) = delete;
    CElementList& operator=(const CElementList&) = delete;

    Position GetHeadPosition() const;
    // The element at `position`; the position moves on to the next node, or
    // to none after the tail.
    CElement* GetNext(Position& position) const;

    CElement* AddHead(std::unique_ptr<CElement> element);
    CElement* AddTail(std::unique_ptr<CElement> element);
    // Unlinks and destroys `element`. False, and nothing done, when it is not
    // in the list.
    bool Remove(const CElement* element);
    // Unlinks `element` and hands it over; null when it is not in the list.
    std::unique_ptr<CElement> Take(const CElement* element);
    // Puts `element` at `index`, counted from the head; past the tail it goes last.
    CElement* InsertAt(std::size_t index, std::unique_ptr<CElement> element);
    // The element's place counted from the head; GetCount() when it is not in the list.
    std::size_t IndexOf(const CElement* element) const;
    bool Contains(const CElement* element) const;
    std::size_t GetCount() const { return m_nodes.size(); }

  private:
    Position PositionOf(Nodes::const_iterator node) const;

    Nodes m_nodes;
};
