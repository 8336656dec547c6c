#include "ui/WorkKeeper.h"

#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "app/RecoveryRecord.h"
#include "app/SaveHistory.h"
#include "model/FolderFiles.h"
#include "texts/WindowTexts.h"
#include "ui/FolderChangedNotice.h"
#include "ui/HistoryDialog.h"

#include <utility>

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

namespace tarn {

namespace {

constexpr const char* kBinaryFiles[] = {kAes3MixFile, kIpMixFile, kMeterFile, kCompressorFile};

} // namespace

WorkKeeper::WorkKeeper(QWidget* window, MessageBoxes& messages, const ConfigModel& model,
                       std::function<bool()> modified)
    : QObject(window), m_window(window), m_messages(messages), m_model(model),
      m_modified(std::move(modified))
{
}

WorkKeeper::~WorkKeeper() = default;

bool WorkKeeper::claimFolder(const QString& folder, const QString& shownFolder)
{
    // This window's own claim is not another editor's: reading its folder again asks nothing.
    if (m_presence && folder == shownFolder)
        return true;
    auto presence = std::make_unique<EditorPresence>(folder);
    const std::optional<qint64> other = presence->claim();
    if (other) {
        if (!m_messages.askYesNo(otherEditorQuestion(folder, other)))
            return false;
    }
    m_otherEditor = other.has_value();
    m_presence = std::move(presence);
    return true;
}

void WorkKeeper::watchLoad(const FolderLoad& load)
{
    m_known = KnownFiles::fromLoad(load);
    if (!m_notice) {
        m_notice = new FolderChangedNotice(m_window, [this] { return m_known.changedOnDisk(); });
        connect(m_notice, &FolderChangedNotice::reloadRequested, this, [this] {
            if (!m_modified() || m_messages.askYesNo(QLatin1String(kReloadQuestion)))
                emit folderReplaced();
        });
    }
    QStringList files;
    for (const char* name : kBinaryFiles)
        files << folderFilePath(load.folder, name);
    m_notice->watch(load.folder, files);
}

void WorkKeeper::warnInvalidAssignments(const FolderLoad& load)
{
    for (const MixFileLoad& file : load.mixFiles) {
        if (file.check.anyInvalid())
            m_messages.showOk(QLatin1String(kInvalidAssignmentsWarning));
    }
}

void WorkKeeper::reportLoadProblems(const FolderLoad& load)
{
    if (load.problems.empty())
        return;
    m_messages.showOk(loadProblemsMessage(load.problems));
}

void WorkKeeper::followEdits(QUndoStack* stack, QPushButton* save)
{
    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    connect(settle, &QTimer::timeout, this, &WorkKeeper::keepUnsavedEdits);
    connect(stack, &QUndoStack::indexChanged, settle, qOverload<>(&QTimer::start));
    auto* history = new QAction(QStringLiteral("History..."), m_window);
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    history->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(history);
    // Beside Save, where the versions come from.
    save->addAction(history);
    save->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(history, &QAction::triggered, this, [this] {
        if (restoreVersion())
            emit folderReplaced();
    });
}

bool WorkKeeper::save(const std::vector<QString>& unreadFiles)
{
    if (!confirmOverwrite())
        return false;
    const SaveReport report = SaveAll(m_model, m_model.configFolder, unreadFiles);
    noteSave(report);
    if (report.complete())
        return true;
    m_messages.showOk(saveFailureMessage(report.notWritten, report.written));
    return false;
}

bool WorkKeeper::confirmOverwrite()
{
    std::vector<QString> changed = m_known.changedOnDisk();
    // Only content can be lost: a file gone is written again, and one the save cannot read it
    // leaves alone and names in its report.
    std::erase_if(changed, [](const QString& path) {
        const QFileInfo info(path);
        return !info.isFile() || !info.isReadable();
    });
    if (changed.empty())
        return true;
    return m_messages.askChoice(overwriteQuestion(changed), QStringLiteral("Overwrite"),
                                QStringLiteral("Cancel"));
}

void WorkKeeper::noteSave(const SaveReport& report)
{
    m_known.noteSaved(report);
    m_notice->check();
    if (report.historyProblem)
        m_notice->showNote(QLatin1String(kHistoryNotKept) + report.historyProblem->message());
    if (report.complete())
        forgetUnsavedEdits();
}

void WorkKeeper::keepUnsavedEdits()
{
    if (const auto failure = m_editsKeeper.follow(m_model, m_modified(), m_known))
        m_notice->showNote(*failure);
}

void WorkKeeper::forgetUnsavedEdits()
{
    if (const auto failure = m_editsKeeper.forget(m_model.configFolder))
        m_notice->showNote(*failure);
}

bool WorkKeeper::settleUnsavedEdits(const char* question, const std::function<bool()>& save)
{
    switch (m_messages.askYesNoCancel(QLatin1String(question))) {
    case MessageBoxes::Answer::Yes:
        // A failed save keeps the window and its edits, so that they are not lost.
        return save();
    case MessageBoxes::Answer::No:
        // The edits are given up, so nothing is left to recover after a crash.
        forgetUnsavedEdits();
        return true;
    case MessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

// A record of another editor that still runs is its live one, not a crash's.
std::optional<ConfigModel> WorkKeeper::recoverEdits()
{
    const QString& folder = m_model.configFolder;
    if (m_otherEditor)
        return std::nullopt;
    std::optional<FileProblem> problem;
    const std::optional<RecoveryRecord> record = readRecoveryRecord(folder, &problem);
    if (problem)
        m_notice->showNote(problem->message());
    if (!record)
        return std::nullopt;
    const QString question = recoveryQuestion(folder, record->time, record->diskChangedSince());
    if (!m_messages.askChoice(question, QStringLiteral("Recover"), QStringLiteral("Discard"))) {
        if (const auto failure = removeRecoveryRecord(folder))
            m_notice->showNote(failure->message());
        return std::nullopt;
    }
    return record->model;
}

// True when a version was written back, whole or not: the folder is to be shown again.
bool WorkKeeper::restoreVersion()
{
    const QString& folder = m_model.configFolder;
    HistoryDialog dialog(folder, m_window);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenVersion() == 0)
        return false;
    const int number = dialog.chosenVersion();
    if (m_modified() && !m_messages.askYesNo(QString::fromLatin1(kRestoreQuestion).arg(number)))
        return false;
    const std::optional<KeptVersion> version = readKeptVersion(folder, number);
    if (!version) {
        m_messages.showOk(QString::fromLatin1(kRestoreNotKept).arg(number));
        return false;
    }
    const SaveReport report = RestoreVersion(folder, *version);
    if (!report.complete()) {
        m_messages.showOk(restoreFailureMessage(report.notWritten));
    }
    return true;
}

} // namespace tarn
