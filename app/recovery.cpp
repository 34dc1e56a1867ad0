#include "app/recovery.h"

#include "base/safe_file.h"
#include "base/whole_file.h"
#include "document/zelbrin_doc.h"
#include "platform/win/afxmsgbox.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultSeconds = 30;
// How often the page is looked at; a saved page's copy goes within this.
constexpr int kLookMs = 1000;

// Opens and locks path; -1 when another process holds the lock.
int TakeLock(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

long long NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

std::string CRecovery::Folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    const fs::path base = state && *state
                              ? fs::path(state)
                              : fs::path(home && *home ? home : "/tmp") / ".local/state";
    return (base / "zelbrin" / "recovery").string();
}

int CRecovery::IntervalSeconds() {
    const char* env = std::getenv("ZELBRIN_RECOVERY_SECONDS");
    const int seconds = env ? std::atoi(env) : kDefaultSeconds;
    return seconds >= 0 ? seconds : kDefaultSeconds;
}

CRecovery::CRecovery(CZelbrinDoc* pDoc) : m_pDoc(pDoc) {
    std::error_code ec;
    fs::create_directories(Folder(), ec);
    // The process id and the start time keep two editors' copies apart.
    const std::string stem =
        Folder() + "/" + std::to_string(getpid()) + "-" + std::to_string(NowMs());
    m_copy = stem + ".alb";
    m_lock = TakeLock(m_copy + ".lock");
    connect(&m_timer, &QTimer::timeout, this, [this] { Update(); });
    m_timer.start(kLookMs);
}

CRecovery::~CRecovery() {
    m_timer.stop();
    Remove();
    if (m_lock >= 0) {
        close(m_lock);
        std::remove((m_copy + ".lock").c_str());
    }
}

void CRecovery::Remove() {
    if (!m_written.empty())
        std::remove(m_copy.c_str());
    m_written.clear();
}

void CRecovery::Update() {
    if (!m_pDoc || m_lock < 0)
        return;
    if (m_pDoc->m_bAlbumModified != 1) {
        Remove();
        return;
    }
    if (NowMs() - m_lastLook < IntervalSeconds() * 1000LL)
        return;
    // The page is looked at again only after another interval, changed or not.
    m_lastLook = NowMs();
    const std::string text = m_pDoc->RecoveryText();
    if (text == m_written)
        return;
    SafeFileWriter out;
    bool ok = out.Open(m_copy.c_str());
    ok = ok && std::fwrite(text.data(), 1, text.size(), out.File()) == text.size();
    if (ok && out.Commit()) {
        m_written = text;
    } else {
        out.Abandon();
    }
}

void CRecovery::OfferLeftCopies() {
    std::error_code ec;
    std::vector<std::string> copies;
    for (const auto& e : fs::directory_iterator(Folder(), ec))
        if (e.path().extension() == ".alb" && e.path().string() != m_copy)
            copies.push_back(e.path().string());
    std::sort(copies.begin(), copies.end());
    for (const std::string& copy : copies) {
        // A living editor holds its lock; so does one offering the same copy.
        const int lock = TakeLock(copy + ".lock");
        if (lock < 0)
            continue;
        std::string text;
        ReadWholeFile(copy.c_str(), MAX_ALBUM_FILE_BYTES, text);
        const std::string album = ParseAlbumText(text).extras.recoveredAlbum;
        const std::string question =
            AfxFormatString2("Zelbrin was closed without saving the changes to %1. Recover them?",
                             album.empty() ? "Untitled" : album);
        const bool recover = AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES &&
                             m_pDoc->OpenRecoveryCopy(copy.c_str());
        std::remove(copy.c_str());
        close(lock);
        std::remove((copy + ".lock").c_str());
        if (recover)
            return;
    }
}
