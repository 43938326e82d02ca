#pragma once
// One primary window per user. The start-up lock serialises starting copies;
// the first copy to take the instance lock is the primary and keeps it for
// its life; a later copy hands its files to the primary and ends.
//
// Start-up, with "ORV_001" held throughout:
//   AcquireStartupLock -> parse the command line -> CreateInstanceLock ->
//   TryBecomePrimary -> primary: create the frame, Listen;
//   not primary: HandOff (when it fails, go on as a secondary) ->
//   ReleaseStartupLock -> the primary plays its first file.
// The first file is played after the lock goes: its load, or its error box
// waiting for the user, must not keep every later start waiting.

#include "app/HandoffBlock.h"
#include "platform/WinTypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CCmdLineAnalize;
class CHandoffServer;
class CMutex;
class CSingleLock;

inline constexpr char STARTUP_MUTEX_NAME[] = "ORV_001";  // held while a copy starts
inline constexpr char INSTANCE_MUTEX_NAME[] = "ORV_002"; // held by the primary for its life
inline constexpr char HANDOFF_MUTEX_NAME[] = "ORV_003";  // guards the hand-off block
inline constexpr char HANDOFF_BLOCK_NAME[] = "ORV_004";  // the hand-off block

// How long a second start waits for the primary's answer.
constexpr int HANDOFF_REPLY_TIMEOUT_MS = 10000;

class CInstanceControl {
public:
    CInstanceControl();
    // Stops listening, then releases the instance lock (this lets the next
    // start become primary) and the start-up lock.
    ~CInstanceControl();
    CInstanceControl(const CInstanceControl&) = delete;
    CInstanceControl& operator=(const CInstanceControl&) = delete;

    // Creates "ORV_001" and waits for it. FALSE when the lock cannot be made
    // (for example a runtime folder that is not private).
    BOOL AcquireStartupLock();
    enum class StartupWait { Held, TimedOut, Stopped, Failed };
    // The same, waiting at most msWait and while `keepWaiting` (run between
    // tries) says so: a copy that is stuck holding the lock must not keep
    // this one from opening.
    StartupWait WaitForStartupLock(int msWait, const std::function<bool()>& keepWaiting);
    // Harmless when not held.
    void ReleaseStartupLock();

    // Creates "ORV_002". FALSE when it cannot be made.
    BOOL CreateInstanceLock();
    // Takes "ORV_002" if it is free at once: TRUE makes this process the
    // primary until the object is destroyed.
    BOOL TryBecomePrimary();
    BOOL IsPrimary() const;
    // Why a lock could not be made, for the user.
    const QString& Error() const { return m_strError; }

    // Primary only, and before ReleaseStartupLock, so that the next copy to
    // start finds someone listening. Every hand-off runs `onHandoff` on the
    // UI thread; its result is the sender's reply. FALSE when this process
    // is not primary or cannot listen (later starts then open their own
    // window).
    //
    // The sender cannot touch the primary's window, so the handler does:
    // restore the window if minimised; ignore the message during a frame
    // step or when the unsaved-playlist question is cancelled; otherwise
    // ReceiveHandoff and, when it gives files, replace the list with them;
    // in every case raise and activate the window; return 0.
    BOOL Listen(std::function<int()> onHandoff);

    // Hands a start's command line to the primary: the paths of its
    // playlist, the number of parameters it took and its first playlist
    // file. Call with the start-up lock held. TRUE when the primary has the
    // files (it answered, or it took the block before it stopped answering).
    // FALSE when they did not arrive: nobody listens, no answer in time, or
    // the block could not be made; the files are then still this process's
    // to open.
    BOOL HandOff(const QStringList& files, int nParamCount, const QString& strFirstPlaylist);
    // The same for a parsed command line.
    BOOL HandOff(const CCmdLineAnalize& cmdLine);

    void SetReplyTimeout(int ms) { m_nReplyTimeoutMs = ms; }

    // The primary's socket in the private runtime folder, "" when the folder
    // is refused.
    static QString SocketPath();
    // A guess, without any lock: a primary is listening (or one ended
    // without cleaning up).
    static bool PrimaryMayBeRunning();

private:
    // Made on first use; null when the lock cannot be made.
    CSingleLock* StartupLock();
    std::unique_ptr<CMutex> m_pStartupMutex;
    std::unique_ptr<CSingleLock> m_pStartupLock;
    std::unique_ptr<CMutex> m_pInstanceMutex;
    std::unique_ptr<CSingleLock> m_pInstanceLock;
    std::unique_ptr<CHandoffServer> m_pServer;
    int m_nReplyTimeoutMs = HANDOFF_REPLY_TIMEOUT_MS;
    QString m_strError;
};

// The primary's side of a hand-off, for its handler once it has decided to
// take the files: locks "ORV_003", copies the block out of the shared memory,
// takes it out of reach of later readers, unlocks, and decodes it. FALSE when
// there is no block or it cannot be read; the hand-off is then ignored.
BOOL ReceiveHandoff(CHandoffContent& content);
