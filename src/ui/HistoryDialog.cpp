#include "ui/HistoryDialog.h"

#include "app/SaveHistory.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {

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
        auto* item = new QListWidgetItem(keptVersionText(*version), m_list);
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
