#include "common/Document.h"

#include <algorithm>

namespace chimeset {

void Document::AddListener(DocumentListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void Document::RemoveListener(DocumentListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Document::UpdateAllViews(UpdateHint hint) {
    // A listener may detach itself while being told.
    const auto listeners = listeners_;
    for (auto* listener : listeners) listener->OnDocumentUpdate(hint);
}

}  // namespace chimeset
