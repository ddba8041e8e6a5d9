#include "model/ElementList.h"

#include <algorithm>
#include <iterator>

CElementList::Position CElementList::PositionOf(Nodes::const_iterator node) const {
    Position position;
    position.m_node = node;
    position.m_valid = node != m_nodes.end();
    return position;
}

CElementList::Position CElementList::GetHeadPosition() const { return PositionOf(m_nodes.begin()); }

CElement* CElementList::GetNext(Position& position) const {
    if (!position) return nullptr;
    CElement* element = position.m_node->get();
    position = PositionOf(std::next(position.m_node));
    return element;
}

CElement* CElementList::AddHead(std::unique_ptr<CElement> element) {
    if (!element) return nullptr;
    m_nodes.push_front(std::move(element));
    return m_nodes.front().get();
}

CElement* CElementList::AddTail(std::unique_ptr<CElement> element) {
    if (!element) return nullptr;
    m_nodes.push_back(std::move(element));
    return m_nodes.back().get();
}

bool CElementList::Remove(const CElement* element) { return Take(element) != nullptr; }

bool CElementList::Contains(const CElement* element) const {
    return element != nullptr && IndexOf(element) < GetCount();
}

std::unique_ptr<CElement> CElementList::Take(const CElement* element) {
    const auto node = std::find_if(m_nodes.begin(), m_nodes.end(),
                                   [element](const auto& owned) { return owned.get() == element; });
    if (node == m_nodes.end()) return nullptr;
    std::unique_ptr<CElement> taken = std::move(*node);
    m_nodes.erase(node);
    return taken;
}

CElement* CElementList::InsertAt(std::size_t index, std::unique_ptr<CElement> element) {
    if (!element) return nullptr;
    auto node = m_nodes.begin();
    std::advance(node, std::min(index, m_nodes.size()));
    return m_nodes.insert(node, std::move(element))->get();
}

std::size_t CElementList::IndexOf(const CElement* element) const {
    const auto node = std::find_if(m_nodes.begin(), m_nodes.end(),
                                   [element](const auto& owned) { return owned.get() == element; });
    return static_cast<std::size_t>(std::distance(m_nodes.begin(), node));
}
