#include "controls/ControlTreeModel.h"

#include "controls/ControlSet.h"

#include <functional>

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace tarn {
namespace {

QStringList g_complaints;

// Collects what the model tester reports.
void collectComplaints(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (context.category && QByteArray(context.category).startsWith("qt.modeltest"))
        g_complaints << message;
}

// Walks the model from the top and checks that every index leads back to its parent and its
// entry; returns the texts in outline order, indented by depth.
QStringList outline(const ControlTreeModel& model)
{
    QStringList lines;
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            EXPECT_EQ(model.parent(index), parent);
            EXPECT_EQ(model.indexOfEntry(ControlTreeModel::entryIndexOf(index)), index);
            lines << QString(depth, u'\t') + model.data(index).toString();
            walk(index, depth + 1);
        }
        EXPECT_FALSE(model.index(model.rowCount(parent), 0, parent).isValid());
    };
    walk({}, 0);
    return lines;
}

TEST(ControlTreeModel, ShowsTheTreeOfTheSet)
{
    ControlSet set;
    const int faders = set.appendRoot("Faders");
    const int fader1 = set.appendChild(faders, "Fader 1");
    set.appendChild(fader1, "Left");
    const int fader2 = set.appendSiblingAfter(fader1, "Fader 2");
    const int mutes = set.appendRoot("Mutes");
    set.appendChild(mutes, "Mute 1");
    set.appendRoot("Empty");

    g_complaints.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectComplaints);
    ControlTreeModel model;
    {
        const QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::Warning);
        model.setControlSet(&set);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_complaints, QStringList());
    EXPECT_EQ(outline(model), (QStringList{"Faders", "\tFader 1", "\t\tLeft", "\tFader 2", "Mutes",
                                           "\tMute 1", "Empty"}));

    const QModelIndex second = model.indexOfEntry(fader2);
    EXPECT_EQ(second.row(), 1);
    EXPECT_EQ(ControlTreeModel::entryIndexOf(model.parent(second)), faders);
    EXPECT_EQ(model.indexOfEntry(mutes).row(), 1);
    EXPECT_FALSE(model.indexOfEntry(set.entryCount() + 1).isValid());
    // Only the text: no check box, icon or editor text.
    EXPECT_FALSE(model.data(second, Qt::EditRole).isValid());
}

} // namespace
} // namespace tarn
