// History of earlier states, the forward history that roll-backs fill, and
// the as-loaded first state.

#include <utility>

#include "image/CDibImage.h"

namespace {

constexpr const char* kFirstStateName = "FIRST_STATE";

// States refer to the image's block; whichever of the two writes first
// copies it.
std::unique_ptr<CDibImage> CopyOf(const CDibImage& image) {
    auto copy = std::make_unique<CDibImage>();
    copy->ShareFrom(image);
    if (copy->IsEmpty()) {
        return nullptr;
    }
    return copy;
}

}  // namespace

std::string HistoryNameOf(int stringId) {
    switch (stringId) {
        case kIdsAdjustBrightness:
            return "Adjust Brightness";
        case kIdsContrast:
            return "Contrast";
        case kIdsAdjustNegate:
            return "Adjust Negate";
        case kIdsFilter:
            return "Filter";
        case kIdsAddNoise:
            return "Add Noise";
        default:
            return "";
    }
}

bool CDibImage::PushHistory(int stringId) {
    if (IsEmpty()) {
        return false;
    }
    if (m_nHistoryLimit <= 0) {
        return true;
    }
    CDibState state;
    if (static_cast<int>(m_history.size()) >= m_nHistoryLimit) {
        // The oldest entry goes.
        state = std::move(m_history.front());
        m_history.pop_front();
    }
    if (!state.image) {
        state.image = std::make_unique<CDibImage>();
    }
    state.image->ShareFrom(*this);
    if (state.image->IsEmpty()) {
        return false;
    }
    state.name = HistoryNameOf(stringId);
    m_history.push_back(std::move(state));
    return true;
}

bool CDibImage::RollBack() {
    if (IsEmpty() || m_history.empty()) {
        return false;
    }
    // The current image moves to the forward history and the newest history
    // entry becomes the image; both are moves, since the sources are dropped.
    CDibState forward;
    forward.image = std::make_unique<CDibImage>();
    forward.image->AdoptFrom(std::move(*this));
    forward.name = m_strCurrentState;
    CDibState newest = std::move(m_history.back());
    m_history.pop_back();
    AdoptFrom(std::move(*newest.image));
    forward.name = newest.name;
    m_forward.push_back(std::move(forward));
    return true;
}

bool CDibImage::SaveFirstState() {
    m_pFirstState.reset();
    if (IsEmpty()) {
        return false;
    }
    std::unique_ptr<CDibImage> copy = CopyOf(*this);
    if (!copy) {
        return false;
    }
    m_pFirstState = std::make_unique<CDibState>(CDibState{std::move(copy), kFirstStateName});
    return true;
}

bool CDibImage::RestoreFirstState() {
    if (!m_pFirstState || !m_pFirstState->image) {
        return false;
    }
    ShareFrom(*m_pFirstState->image);
    return !IsEmpty();
}
