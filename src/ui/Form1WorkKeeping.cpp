#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "app/RecoveryRecord.h"
#include "app/SaveHistory.h"
#include "controls/ControlSearch.h"
#include "controls/ControlTreeModel.h"
#include "editors/CompressorEditor.h"
#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/MeterFile.h"
#include "ui/FolderChangedNotice.h"
#include "ui/Form1.h"
#include "ui/HistoryDialog.h"

#include <utility>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace tarn {

namespace {

constexpr char kOtherEditorQuestion[] =
    "%1 is open in another Tarnconfig window%2. Open it anyway?";
constexpr char kOverwriteIntro[] =
    "These files were changed by another program since they were loaded:";
constexpr char kOverwriteQuestion[] = "Overwrite them?";
constexpr char kReloadQuestion[] =
    "Reloading the folder discards your unsaved changes. Reload anyway?";
constexpr char kRecoveryQuestion[] =
    "Tarnconfig ended without saving changes to %1 (%2).%3 Recover them?";
constexpr char kRecoveryDiskChanged[] =
    " The folder's files have changed on disk since then; recovering lays the changes over them.";
constexpr char kRestoreQuestion[] =
    "Restoring version %1 discards your unsaved changes. Restore anyway?";
constexpr char kRestoreNotKept[] = "Version %1 is no longer kept whole; nothing was restored.";
constexpr char kRestoreFailed[] = "The version could not be restored completely. These files "
                                  "were not written:";
constexpr char kHistoryNotKept[] = "The files were saved, but the versions they replaced could "
                                   "not be kept: ";
constexpr const char* kBinaryFiles[] = {kAes3MixFile, kIpMixFile, kMeterFile, kCompressorFile};

QString dateText(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

// The recovered edits as one step: undone and redone over the whole model, so every tab follows.
class WholeModelCommand final : public QUndoCommand
{
public:
    WholeModelCommand(Form1& form, EditStep step) : m_form(form), m_step(std::move(step)) {}

    void undo() override { m_form.applyWholeStep(m_step, true); }
    void redo() override
    {
        if (m_pushed)
            m_form.applyWholeStep(m_step, false);
        m_pushed = true;
    }

private:
    Form1& m_form;
    EditStep m_step;
    bool m_pushed = false;
};

bool Form1::confirmSecondEditor(const QString& folder)
{
    // This window's own claim is not another editor's: reading its folder again asks nothing.
    if (m_presence && folder == m_model.configFolder)
        return true;
    auto presence = std::make_unique<EditorPresence>(folder);
    const std::optional<qint64> other = presence->claim();
    if (other) {
        const QString process =
            *other > 0 ? QStringLiteral(" (process %1)").arg(*other) : QString();
        if (!m_services.messages.askYesNo(
                QLatin1String(kOtherEditorQuestion).arg(QDir::toNativeSeparators(folder), process)))
            return false;
    }
    m_otherEditor = other.has_value();
    m_presence = std::move(presence);
    return true;
}

// From the load on, the files' content is known and watched, and the edits kept.
void Form1::keepWorkOfLoad()
{
    m_known = KnownFiles::fromLoad(*m_load);
    if (!m_folderNotice) {
        m_folderNotice = new FolderChangedNotice(this, [this] { return m_known.changedOnDisk(); });
        connect(m_folderNotice, &FolderChangedNotice::reloadRequested, this, &Form1::reloadFolder);
        // Written once the step is shown, and once for a run of steps (a spinner held down).
        auto* keepEdits = new QTimer(this);
        keepEdits->setSingleShot(true);
        connect(keepEdits, &QTimer::timeout, this, &Form1::keepUnsavedEdits);
        connect(m_undoStack, &QUndoStack::indexChanged, keepEdits, qOverload<>(&QTimer::start));
        auto* history = new QAction(QStringLiteral("History..."), this);
        history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
        history->setShortcutContext(Qt::WindowShortcut);
        addAction(history);
        // Beside Save, where the versions come from.
        m_saveCommand->addAction(history);
        m_saveCommand->setContextMenuPolicy(Qt::ActionsContextMenu);
        connect(history, &QAction::triggered, this, &Form1::openHistory);
    }
    QStringList files;
    for (const char* name : kBinaryFiles)
        files << folderFilePath(m_model.configFolder, name);
    m_folderNotice->watch(m_model.configFolder, files);
}

bool Form1::confirmOverwrite()
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
    QStringList lines{QLatin1String(kOverwriteIntro)};
    for (const QString& path : changed)
        lines << QDir::toNativeSeparators(path);
    lines << QLatin1String(kOverwriteQuestion);
    return m_services.messages.askChoice(lines.join(QLatin1Char('\n')), QStringLiteral("Overwrite"),
                                         QStringLiteral("Cancel"));
}

void Form1::noteSave(const SaveReport& report)
{
    m_known.noteSaved(report);
    m_folderNotice->check();
    if (report.historyProblem)
        m_folderNotice->showNote(QLatin1String(kHistoryNotKept) + report.historyProblem->message());
    if (report.complete())
        forgetUnsavedEdits();
}

void Form1::keepUnsavedEdits()
{
    if (const auto failure = m_editsKeeper.follow(m_model, isModified(), m_known))
        m_folderNotice->showNote(*failure);
}

void Form1::forgetUnsavedEdits()
{
    if (const auto failure = m_editsKeeper.forget(m_model.configFolder))
        m_folderNotice->showNote(*failure);
}

// A record of another editor that still runs is its live one, not a crash's.
void Form1::offerRecovery()
{
    if (m_otherEditor)
        return;
    std::optional<FileProblem> problem;
    const std::optional<RecoveryRecord> record = readRecoveryRecord(m_model.configFolder, &problem);
    if (problem)
        m_folderNotice->showNote(problem->message());
    if (!record)
        return;
    const QString question =
        QLatin1String(kRecoveryQuestion)
            .arg(QDir::toNativeSeparators(m_model.configFolder), dateText(record->time),
                 record->diskChangedSince() ? QLatin1String(kRecoveryDiskChanged) : QString());
    if (!m_services.messages.askChoice(question, QStringLiteral("Recover"),
                                       QStringLiteral("Discard"))) {
        if (const auto failure = removeRecoveryRecord(m_model.configFolder))
            m_folderNotice->showNote(failure->message());
        return;
    }
    const ConfigModel before = m_model;
    m_model.takeConfiguration(record->model);
    // Pushing writes the record again, now against the files as this load found them.
    m_undoStack->push(new WholeModelCommand(*this, recordEdit(before, m_model, {})));
    showWholeModel();
}

void Form1::reloadFolder()
{
    if (isModified() && !m_services.messages.askYesNo(QLatin1String(kReloadQuestion)))
        return;
    showLoadedFolder();
    forgetUnsavedEdits();
    updateModifiedMark();
}

void Form1::openHistory()
{
    HistoryDialog dialog(m_model.configFolder, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenVersion() == 0)
        return;
    const int number = dialog.chosenVersion();
    if (isModified() &&
        !m_services.messages.askYesNo(QString::fromLatin1(kRestoreQuestion).arg(number)))
        return;
    const std::optional<KeptVersion> version = readKeptVersion(m_model.configFolder, number);
    if (!version) {
        m_services.messages.showOk(QString::fromLatin1(kRestoreNotKept).arg(number));
        return;
    }
    const SaveReport report = RestoreVersion(m_model.configFolder, *version);
    if (!report.complete()) {
        QStringList lines{QLatin1String(kRestoreFailed)};
        for (const FileProblem& problem : report.notWritten)
            lines << problem.message();
        m_services.messages.showOk(lines.join(QLatin1Char('\n')));
    }
    // The edits were given up above; the window shows what the folder holds now.
    showLoadedFolder();
    forgetUnsavedEdits();
    updateModifiedMark();
}

void Form1::applyWholeStep(const EditStep& step, bool undo)
{
    if (undo)
        undoEdit(m_model, step);
    else
        redoEdit(m_model, step);
    showWholeModel();
}

void Form1::showWholeModel()
{
    m_applyingStep = true;
    for (int m = 0; m < kMixerCount; ++m) {
        MixOutputCombo_Click(m);
        showLoopCells(m);
    }
    for (std::size_t i = 0; i < kMeterCount; ++i)
        m_meterCombo[i]->setCurrentIndex(meterPositionForByte(m_model.meter(static_cast<int>(i))));
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
        const CompressorParam param = kCompressorParams[k];
        const std::int32_t value = m_model.compressor(compressorWordOf(param));
        m_upDown[k]->setValue(param == CompressorParam::Hold ? value / kHoldPerPosition
                                                             : static_cast<int>(value));
    }
    m_applyingStep = false;
    updateModifiedMark();
}

} // namespace tarn
