// The view's NWP overlay commands: the selection dialog of each data class
// and the overlay manager.

#include "dialogs/CNwpManagerDlg.h"
#include "dialogs/CNwpSelectDlg.h"
#include "nwp/NwpCatalogue.h"
#include "nwp/NwpOverlayColours.h"
#include "platform/TextCodec.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

// A title's own "&" must not become a mnemonic.
std::string EscapeMnemonics(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return escaped;
}

}  // namespace

void CKelvraView::RegisterNwpCommands() {
    m_commands.AddRange(
        kIdNwpClassFirst, kIdNwpClassLast, [this](int id) { OnNwpClass(id); },
        [this](CCmdUI& ui) {
            const int classNumber = ui.m_nID - kIdNwpClassFirst + 1;
            // A class the catalogue does not describe has nothing to choose from.
            NwpDataClass dataClass;
            ui.Enable(ReadNwpCatalogue(NwpRoot(), classNumber, dataClass));
            ui.SetText(NwpClassMenuText(classNumber));
        });
    m_commands.Add(kIdNwpManager, [this](int) { OnNwpManager(); });
}

std::string CKelvraView::NwpRoot() const {
    return m_nwpRoot ? m_nwpRoot() : DefaultNwpRoot();
}

std::string CKelvraView::NwpClassMenuText(int classNumber) const {
    const std::string n = std::to_string(classNumber);
    NwpDataClass dataClass;
    if (ReadNwpCatalogue(NwpRoot(), classNumber, dataClass) && !dataClass.title.empty()) {
        return EscapeMnemonics(GbkToUtf8(dataClass.title)) + "(&" + n + ")";
    }
    return "第" + n + "类资料(&" + n + ")";
}

// An overlay added beside shown ones takes a colour of its own.
int CKelvraView::AddNwpOverlays(const std::vector<std::string>& paths) {
    int read = 0;
    std::vector<CNwpOverlay>& overlays = m_job.Overlays();
    for (const std::string& path : paths) {
        CNwpOverlay overlay;
        if (overlay.ReadFile(path)) {
            TakeNextOverlayColour(overlays, overlay);
            ++read;
        }
        overlays.push_back(std::move(overlay));
    }
    return read;
}

// Whatever the dialog's end, the picture is composed again.
void CKelvraView::OnNwpClass(int id) {
    CNwpSelectDlg dialog(NwpRoot(), id - kIdNwpClassFirst + 1, this);
    if (m_doc.Providers().showModal) {
        m_doc.Providers().showModal(dialog);
    }
    if (dialog.result() == QDialog::Accepted) {
        AddNwpOverlays(dialog.SelectedPaths());
    }
    Compose();
}

// Changes the manager left without "应    用" are shown once it closes.
void CKelvraView::OnNwpManager() {
    CNwpManagerDlg dialog(
        m_job.Overlays(), m_doc.Providers(), [this] { Compose(); }, this);
    if (m_doc.Providers().showModal) {
        m_doc.Providers().showModal(dialog);
    }
    if (dialog.HasUnappliedChanges()) {
        Compose();
    }
}
