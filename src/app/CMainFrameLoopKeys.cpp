// The loop's keys (Space, the arrows, Home and End, Ctrl with the up and
// down arrows) run through the animation pane, so its buttons, slider and
// interval show what the keys did; they are greyed while no loop runs.

#include <functional>
#include <utility>

#include "app/CMainFrame.h"
#include "dialogs/CMovieDlg.h"
#include "ui/CommandIds.h"
#include "view/CKelvraView.h"

void CMainFrame::RegisterLoopCommands() {
    const std::pair<int, std::function<void(CMovieDlg&)>> keys[] = {
        {kIdLoopPlayPause, [](CMovieDlg& movie) { movie.OnPause(); }},
        {kIdLoopPrevious, [](CMovieDlg& movie) { movie.OnStepKey(-1); }},
        {kIdLoopNext, [](CMovieDlg& movie) { movie.OnStepKey(1); }},
        {kIdLoopFirst, [](CMovieDlg& movie) { movie.OnFirstFrame(); }},
        {kIdLoopLast, [](CMovieDlg& movie) { movie.OnLastFrame(); }},
        {kIdLoopFaster, [](CMovieDlg& movie) { movie.OnFaster(); }},
        {kIdLoopSlower, [](CMovieDlg& movie) { movie.OnSlower(); }},
    };
    for (const auto& [id, handler] : keys) {
        m_commands.Add(
            id, [this, handler](int) { handler(*m_wndMovie); },
            [this](CCmdUI& ui) { ui.Enable(m_pView->m_playback.m_bAnimating != 0); });
    }
}
