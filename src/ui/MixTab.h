#pragma once

#include "texts/MixOutputTexts.h"
#include "ui/TabPage.h"

#include <QComboBox>
#include <QPushButton>

namespace tarn {

class ControlsTree;
struct MixTabGeometry;

// The AES3 MIX or IP MIX page: the crosspoints of one mix output, the list of the mixer's
// outputs with the buffer buttons, and the tree of the mixer's controls. It shows the texts it
// is given and tells what the user asked for; the window changes the model.
class MixTab : public TabPage
{
    Q_OBJECT

public:
    MixTab(QTabWidget* tabs, int mixer, const MixTabGeometry& geometry, double twipsPerPixel);

    GridView& grid() const { return *m_grid; }
    ControlsTree& controlsTree() const { return *m_tree; }
    int selectedOutput() const { return m_outputCombo->currentIndex(); }
    void selectOutput(int output) { m_outputCombo->setCurrentIndex(output); }

    void applyGeometry(const MixTabGeometry& geometry);
    // The loaded folder's names: the grid's headers and row labels, and the output list.
    void showNames(const QStringList& headers, const QStringList& labels,
                   const QStringList& outputs);
    void clearOutputs() { m_outputCombo->clear(); }
    void showOutput(const MixOutputTexts& texts);
    // The selection took the control the user chose.
    void showAssigned(const QString& cellText);
    // Fits the five column widths and the label column to their texts.
    void fitColumns();
    void setBufferFilled(bool filled)
    {
        m_swap->setEnabled(filled);
        m_paste->setEnabled(filled);
    }

signals:
    void outputChosen();
    void revealRequested();
    void menuRequested(const QPoint& at);
    void copyRequested();
    void swapRequested();
    void pasteRequested();

private:
    void requestMenuAtCell();

    QGroupBox* m_inputFrame;
    QGroupBox* m_outputFrame;
    QGroupBox* m_controlsFrame;
    GridView* m_grid;
    ControlsTree* m_tree;
    QComboBox* m_outputCombo;
    QPushButton* m_swap;
    QPushButton* m_paste;
};

} // namespace tarn
