// kelvra.render's way to kelvra-cli's pictures: the picture module itself,
// loaded on the first call (so importing kelvra loads no FreeType) and run
// with the render verb's own words. The module installs the command line's
// termination handlers and reports on stderr; the interpreter's handlers are
// put back and the report is returned with the exit status. Callers hold
// one lock around it (kelvra.render), since stderr is the process's.

#include <pybind11/stl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <vector>

#include "Bindings.h"
#include "cli/PictureModuleAbi.h"
#include "platform/ModuleLoader.h"

namespace py = pybind11;

namespace {

constexpr std::array<int, 3> kTerminationSignals = {SIGINT, SIGTERM, SIGHUP};

// The process's stderr written into a temporary file while it lives.
class CStderrCapture {
public:
    CStderrCapture() : m_pFile(std::tmpfile()) {
        std::fflush(stderr);
        m_nSaved = ::dup(STDERR_FILENO);
        if (m_pFile != nullptr && m_nSaved >= 0) {
            ::dup2(::fileno(m_pFile), STDERR_FILENO);
        }
    }
    CStderrCapture(const CStderrCapture&) = delete;
    CStderrCapture& operator=(const CStderrCapture&) = delete;
    ~CStderrCapture() {
        Restore();
        if (m_pFile != nullptr) {
            std::fclose(m_pFile);
        }
    }

    // Puts stderr back and returns what was written meanwhile.
    std::string Finish() {
        Restore();
        std::string text;
        if (m_pFile == nullptr) {
            return text;
        }
        std::rewind(m_pFile);
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, m_pFile)) > 0) {
            text.append(buffer, got);
        }
        return text;
    }

private:
    void Restore() {
        if (m_nSaved >= 0) {
            std::fflush(stderr);
            ::dup2(m_nSaved, STDERR_FILENO);
            ::close(m_nSaved);
            m_nSaved = -1;
        }
    }

    std::FILE* m_pFile = nullptr;
    int m_nSaved = -1;
};

int CallEntry(KelvraPictureEntry entry, const std::string& verb,
              const std::vector<std::string>& args) {
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    const KelvraPictureCall call{kPictureCallVersion, verb.c_str(), static_cast<int>(argv.size()),
                                 argv.data()};
    std::array<struct sigaction, kTerminationSignals.size()> kept{};
    for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
        ::sigaction(kTerminationSignals[i], nullptr, &kept[i]);
    }
    const int status = entry(&call);
    for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
        ::sigaction(kTerminationSignals[i], &kept[i], nullptr);
    }
    return status;
}

py::tuple RunPictureModule(const std::string& modulePath, const std::string& verb,
                           const std::vector<std::string>& args) {
    std::string why;
    int status = 0;
    std::string report;
    {
        py::gil_scoped_release unlocked;
        void* entry = LoadModuleEntry(modulePath, kPictureEntryName, why);
        if (entry != nullptr) {
            CStderrCapture capture;
            status = CallEntry(reinterpret_cast<KelvraPictureEntry>(entry), verb, args);
            report = capture.Finish();
        }
    }
    if (!why.empty()) {
        throw CFileFailure("the picture module " + modulePath + " cannot be loaded: " + why);
    }
    return py::make_tuple(status, report);
}

}  // namespace

void BindPictureModule(py::module_& m) {
    m.def("run_picture_module", &RunPictureModule, py::arg("module_path"), py::arg("verb"),
          py::arg("args"));
}
