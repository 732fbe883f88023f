#pragma once

#include "FontChoice.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

// The program's font chooser: Qt's font dialog with a colour button under
// it, since Qt's dialog has no colour of its own. The button picks the
// colour through the platform's colour chooser.
class FontColorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FontColorDialog(const FontChoice &initial, QWidget *parent = nullptr);

    FontChoice choice() const;
    QPushButton &colorButton() const { return *m_colorButton; }
    QFontDialog &fontDialog() const { return *m_fontDialog; }

private:
    void chooseColor();
    void showColor();

    QFontDialog *m_fontDialog = nullptr;
    QPushButton *m_colorButton = nullptr;
    QColor m_color;
};
