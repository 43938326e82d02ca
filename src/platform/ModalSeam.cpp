#include "platform/ModalSeam.h"

#include "platform/ResString.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <deque>

namespace {

// What the window manager's frame adds on each side of a window; none
// before it is on screen. Asked of the window itself: the widget's own
// copy follows only when the window moves.
QMargins FrameMargins(const QWidget& window)
{
    const QWindow* pWindow = window.windowHandle();
    return pWindow ? pWindow->frameMargins() : QMargins();
}

bool IsOnScreen(const QWidget& window) { return window.windowHandle() && window.windowHandle()->isExposed(); }

// A message box centred on its parent window, frames included. A box may
// open before the window manager has placed and framed the parent (a file
// that fails to load at start-up): the box follows the parent while it is
// open, and centres itself again once its own frame is known. Moves of the
// box after that are the user's.
class CCentredMessageBox final : public QMessageBox {
public:
    explicit CCentredMessageBox(QWidget* parent)
        : QMessageBox(parent)
    {
        if (parent)
            parent->window()->installEventFilter(this);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // The box has its size only now.
        QMessageBox::showEvent(event);
        if (QWindow* pWindow = windowHandle())
            pWindow->installEventFilter(this);
        CentreOnParent();
    }
    void moveEvent(QMoveEvent* event) override
    {
        QMessageBox::moveEvent(event);
        // The window manager frames and places a new window in several steps.
        if (!IsOnScreen(*this))
            CentreOnParent();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == windowHandle()) {
            if (event->type() == QEvent::Expose && !m_bExposed && IsOnScreen(*this)) {
                m_bExposed = true;
                CentreOnParent();
            }
        } else if (isVisible() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
            CentreOnParent();
        }
        return QMessageBox::eventFilter(watched, event);
    }

private:
    void CentreOnParent()
    {
        const QWidget* pParent = parentWidget() ? parentWidget()->window() : nullptr;
        if (!pParent || !pParent->isVisible() || pParent->isMinimized())
            return;
        // Until the box is framed, its frame is taken to be like its parent's.
        QMargins margins = FrameMargins(*this);
        if (margins.isNull() && !IsOnScreen(*this))
            margins = FrameMargins(*pParent);
        QRect rcFrame(QPoint(), size().grownBy(margins));
        rcFrame.moveCenter(pParent->geometry().marginsAdded(FrameMargins(*pParent)).center());
        if (const QScreen* pScreen = pParent->screen()) {
            const QRect rcWork = pScreen->availableGeometry();
            rcFrame.moveLeft(std::max(std::min(rcFrame.left(), rcWork.right() - rcFrame.width() + 1), rcWork.left()));
            rcFrame.moveTop(std::max(std::min(rcFrame.top(), rcWork.bottom() - rcFrame.height() + 1), rcWork.top()));
        }
        // The client area is placed: a window's own position includes a
        // frame the widget may not know of yet.
        const QRect rcClient = rcFrame.marginsRemoved(margins);
        if (rcClient.topLeft() != geometry().topLeft())
            setGeometry(rcClient);
    }

    bool m_bExposed = false;
};

// How long a box waits for a parent window on its way to the screen.
constexpr int kParentOnScreenWaitMs = 1000;

// A box asked for just after its parent was shown (an error while the first
// file loads) waits a moment for the parent to reach the screen, so that it
// opens where it belongs rather than jumping there.
void WaitUntilOnScreen(QWidget* pParent)
{
    const QPointer<QWidget> pWindow = pParent ? pParent->window() : nullptr;
    if (!pWindow || !pWindow->isVisible() || pWindow->isMinimized() || IsOnScreen(*pWindow))
        return;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!pWindow || IsOnScreen(*pWindow))
            loop.quit();
    });
    check.start(10);
    QTimer::singleShot(kParentOnScreenWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

class QtModalResponder final : public IModalResponder {
public:
    int MessageBox(const MessageBoxTexts& texts, unsigned style) override
    {
        QWidget* pParent = ModalParent();
        WaitUntilOnScreen(pParent);
        CCentredMessageBox box(pParent);
        box.setWindowTitle(LoadResString(IDS_APP_TITLE));
        box.setText(texts.text);
        // File names and the media framework's words are never markup.
        if (!texts.informative.isEmpty())
            box.setInformativeText(Qt::convertFromPlainText(texts.informative, Qt::WhiteSpaceNormal));
        if (!texts.detail.isEmpty())
            box.setDetailedText(texts.detail);
        switch (style & 0xF0) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        switch (style & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Cancel: return IDCANCEL;
        default: return IDOK;
        }
    }

    // The filters come from MfcFilterToQt, whose patterns are spelled for
    // case-free matching; the user sees only the display texts.
    static constexpr QFileDialog::Options kFilterOptions = QFileDialog::HideNameFilterDetails;

    QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, bool multiple) override
    {
        if (multiple)
            return QFileDialog::getOpenFileNames(parent, caption, dir, filter, nullptr, kFilterOptions);
        const QString one = QFileDialog::getOpenFileName(parent, caption, dir, filter, nullptr, kFilterOptions);
        return one.isEmpty() ? QStringList() : QStringList { one };
    }

    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, const QString& defaultSuffix) override
    {
        QFileDialog dlg(parent, caption, dir, filter);
        dlg.setOptions(kFilterOptions);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        if (defaultSuffix.startsWith(QLatin1Char('.')))
            dlg.setDefaultSuffix(defaultSuffix.mid(1));
        if (dlg.exec() != QDialog::Accepted)
            return QString();
        return dlg.selectedFiles().value(0);
    }

    QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }

    int ExecDialog(QDialog& dialog) override { return dialog.exec(); }
};

QtModalResponder g_qtResponder;
IModalResponder* g_responder = nullptr;
QPointer<QWidget> g_parent;

IModalResponder& Installed() { return g_responder ? *g_responder : g_qtResponder; }

// ---- work held while a box is open (UI thread only) ----

struct HeldWork {
    QPointer<QObject> context;
    std::function<void()> work;
};

std::deque<HeldWork> g_held;
int g_nOpenBoxes = 0;
bool g_bDrainPosted = false;
bool g_bDraining = false;

void DrainHeldWork()
{
    g_bDrainPosted = false;
    // The drain under way takes the rest when its work returns.
    if (g_bDraining)
        return;
    const QScopedValueRollback<bool> draining(g_bDraining, true);
    // A box opened by the work closes before the work returns.
    while (!g_held.empty() && g_nOpenBoxes == 0) {
        const HeldWork next = std::move(g_held.front());
        g_held.pop_front();
        if (next.context)
            next.work();
    }
}

// From the event loop, never from inside the code that closed the last box:
// that code goes on first.
void PostDrain()
{
    if (g_bDrainPosted)
        return;
    g_bDrainPosted = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &DrainHeldWork, Qt::QueuedConnection);
}

class ModalScope {
public:
    ModalScope() { ++g_nOpenBoxes; }
    ~ModalScope()
    {
        if (--g_nOpenBoxes == 0 && !g_held.empty())
            PostDrain();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// Counts every box whatever responder answers it, so tests see the same
// holding as the program.
class CountingResponder final : public IModalResponder {
public:
    int MessageBox(const MessageBoxTexts& texts, unsigned style) override
    {
        const ModalScope open;
        return Installed().MessageBox(texts, style);
    }
    QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, bool multiple) override
    {
        const ModalScope open;
        return Installed().GetOpenFileNames(parent, caption, dir, filter, multiple);
    }
    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, const QString& defaultSuffix) override
    {
        const ModalScope open;
        return Installed().GetSaveFileName(parent, caption, dir, filter, defaultSuffix);
    }
    QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        const ModalScope open;
        return Installed().GetExistingDirectory(parent, caption, dir);
    }
    int ExecDialog(QDialog& dialog) override
    {
        const ModalScope open;
        return Installed().ExecDialog(dialog);
    }
};

CountingResponder g_countingResponder;

} // namespace

IModalResponder& Modal() { return g_countingResponder; }

bool IsModalOpen() { return g_nOpenBoxes > 0; }

void PostWhenNoModal(QObject* context, std::function<void()> work)
{
    g_held.push_back({ context, std::move(work) });
    if (g_nOpenBoxes == 0)
        PostDrain();
}

void RunWhenNoModal(QObject* context, std::function<void()> work)
{
    if (g_nOpenBoxes == 0 && g_held.empty() && !g_bDraining) {
        if (context)
            work();
        return;
    }
    PostWhenNoModal(context, std::move(work));
}

void SetModalResponder(IModalResponder* responder) { g_responder = responder; }

void SetModalParent(QWidget* parent) { g_parent = parent; }

QWidget* ModalParent()
{
    if (g_parent)
        return g_parent;
    return QApplication::activeWindow();
}

int AfxMessageBox(const QString& text, unsigned style, const QString& detail)
{
    return Modal().MessageBox({ text, QString(), detail }, style);
}

int AfxMessageBox(const MessageBoxTexts& texts, unsigned style) { return Modal().MessageBox(texts, style); }

int AfxMessageBox(int idPrompt, unsigned style)
{
    return Modal().MessageBox({ LoadResString(idPrompt), QString(), QString() }, style);
}
