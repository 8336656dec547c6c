#include "ui/HistoryDialog.h"

#include "app/SaveHistory.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {

namespace {

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString versionText(const KeptVersion& version)
{
    QStringList changed;
    for (const KeptFile& file : version.files) {
        if (file.changed && file.written)
            changed.append(file.name);
    }
    QString program = version.program.isEmpty() ? QStringLiteral("?") : version.program;
    if (!version.note.isEmpty())
        program += QStringLiteral(" (") + version.note + u')';
    const ChangeCounts& c = version.changes;
    return QStringLiteral("%1  %2  %3  %4  %5, %6, %7, %8")
        .arg(version.number, 4)
        .arg(version.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), program,
             changed.isEmpty() ? QStringLiteral("no file changed") : changed.join(u' '),
             counted(c.crosspointSlots, "slot", "slots"), counted(c.loops, "loop", "loops"),
             counted(c.meters, "meter", "meters"),
             counted(c.compressorValues, "compressor value", "compressor values"));
}

} // namespace

HistoryDialog::HistoryDialog(const QString& folder, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)),
      m_restore(new QPushButton(QStringLiteral("Restore"), this))
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("Kept versions"));
    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_restore->setObjectName(QStringLiteral("RestoreButton"));
    auto* intro = new QLabel(
        QStringLiteral("Version N is %1 as it was just before save N. Restore writes it back; "
                       "the files it replaces are kept in turn.")
            .arg(QDir::toNativeSeparators(folder)),
        this);
    intro->setWordWrap(true);

    const std::vector<KeptVersion> versions = listKeptVersions(folder);
    for (auto version = versions.rbegin(); version != versions.rend(); ++version) {
        auto* item = new QListWidgetItem(versionText(*version), m_list);
        item->setData(Qt::UserRole, version->number);
    }
    if (versions.empty())
        m_list->addItem(QStringLiteral("No saves of this folder are kept yet."));
    m_restore->setEnabled(false);
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this] { m_restore->setEnabled(chosenVersion() > 0); });
    connect(m_list, &QListWidget::itemActivated, this, [this] {
        if (chosenVersion() > 0)
            accept();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_restore, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(720, 360);
}

int HistoryDialog::chosenVersion() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

} // namespace tarn
