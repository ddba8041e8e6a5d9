#pragma once

class CElement;

// Implemented by every view of a design document. The document tells its
// views when an element leaves the list, before it is destroyed, so that a
// view can drop a selection or a drag that names it; and when the design has
// changed and the views should repaint.
class CDocumentObserver {
  public:
    virtual ~CDocumentObserver() = default;

    // `element` is about to be destroyed: compare it, never use it.
    virtual void OnElementRemoved(const CElement* element) = 0;
    virtual void OnDocumentUpdated() = 0;
};
