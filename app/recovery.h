// Recovery copies: while the album is modified, its page is written (at most
// every 30 seconds after a change) to $XDG_STATE_HOME/zelbrin/recovery/ (or
// ~/.local/state/zelbrin/recovery/). Each running editor has its own copy and
// holds a lock on it, so that a second editor never takes over a living one's
// copy; a copy whose lock nobody holds was left by an editor that stopped
// without saving, and is offered at the next start.
#pragma once

#include <QObject>
#include <QTimer>

#include <string>
#include <vector>

class CZelbrinDoc;

class CRecovery : public QObject {
public:
    explicit CRecovery(CZelbrinDoc* pDoc);
    // A clean end: the copy goes.
    ~CRecovery() override;

    // Offers each copy left by an editor that no longer runs: "Zelbrin was
    // closed without saving the changes to %s. Recover them?". Yes opens the
    // page (modified, with its album's path) and ends the offers; No removes
    // the copy.
    void OfferLeftCopies();

    // Writes the copy now if the page is modified and differs from the copy,
    // removes it if the page is not modified (the timer does this).
    void Update();

    const std::string& CopyPath() const { return m_copy; }
    // The folder of the copies.
    static std::string Folder();
    // Seconds between writes (ZELBRIN_RECOVERY_SECONDS, else 30).
    static int IntervalSeconds();

private:
    void Remove();

    CZelbrinDoc* m_pDoc;
    std::string m_copy; // this editor's copy
    int m_lock = -1;    // held on m_copy + ".lock" while this editor runs
    std::string m_written;
    long long m_lastLook = 0; // when the page was last copied or compared, ms
    QTimer m_timer;
};
