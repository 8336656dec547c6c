#include "ui/FolderChangedNotice.h"

#include "texts/WindowTexts.h"

#include <utility>

#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace tarn {

namespace {

// A save by another program is a burst of events (temporary file, rename, folder sync); the
// files are compared once it has settled.
constexpr int kSettleMilliseconds = 150;

} // namespace

FolderChangedNotice::FolderChangedNotice(QWidget* window, ChangedFiles changedFiles)
    : QFrame(window), m_changedFiles(std::move(changedFiles)),
      m_watcher(new QFileSystemWatcher(this)), m_settle(new QTimer(this)), m_text(new QLabel(this)),
      m_reload(new QPushButton(QStringLiteral("Reload"), this)),
      m_keepMine(new QPushButton(QStringLiteral("Keep mine"), this))
{
    setObjectName(QStringLiteral("FolderChangedNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("FolderChangedText"));
    // A selectable label takes the focus, and a screen reader would meet it empty while hidden.
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    setAccessibleName(QStringLiteral("Files changed by another program"));
    m_reload->setObjectName(QStringLiteral("ReloadButton"));
    m_keepMine->setObjectName(QStringLiteral("KeepMineButton"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_reload);
    layout->addWidget(m_keepMine);
    hide();

    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMilliseconds);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_settle, qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, &FolderChangedNotice::check);
    connect(m_reload, &QPushButton::clicked, this, [this] {
        hide();
        emit reloadRequested();
    });
    connect(m_keepMine, &QPushButton::clicked, this, &FolderChangedNotice::keepMine);
    window->installEventFilter(this);
}

void FolderChangedNotice::watch(const QString& folder, const QStringList& files)
{
    m_folder = folder;
    m_files = files;
    m_kept.clear();
    hide();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    rewatch();
}

// A file replaced by a rename is a new file, which the watcher no longer follows.
void FolderChangedNotice::rewatch()
{
    QStringList wanted = m_files;
    wanted << m_folder;
    QStringList missing;
    for (const QString& path : wanted) {
        if (!m_watcher->files().contains(path) && !m_watcher->directories().contains(path) &&
            QFileInfo::exists(path))
            missing << path;
    }
    if (!missing.isEmpty())
        m_watcher->addPaths(missing);
}

void FolderChangedNotice::check()
{
    rewatch();
    const std::vector<QString> changed = m_changedFiles();
    if (changed.empty() || changed == m_kept) {
        // Changed back, or saved over: nothing is left to tell.
        if (changed.empty() && m_reload->isVisible())
            hide();
        return;
    }
    m_kept.clear();
    present(changedFilesNote(changed), true);
}

void FolderChangedNotice::showNote(const QString& text)
{
    if (isVisible() && m_reload->isVisible())
        return;
    present(text, false);
}

void FolderChangedNotice::present(const QString& text, bool offerReload)
{
    m_text->setText(text);
    m_reload->setVisible(offerReload);
    m_keepMine->setText(offerReload ? QStringLiteral("Keep mine") : QStringLiteral("Close"));
    followWindow();
    show();
    raise();
}

// The edits stay; a later save still asks before it overwrites these files.
void FolderChangedNotice::keepMine()
{
    if (m_reload->isVisible())
        m_kept = m_changedFiles();
    hide();
}

void FolderChangedNotice::followWindow()
{
    const QWidget* window = parentWidget();
    const int height = sizeHint().height();
    setGeometry(0, window->height() - height, window->width(), height);
}

bool FolderChangedNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        followWindow();
    return QFrame::eventFilter(watched, event);
}

} // namespace tarn
