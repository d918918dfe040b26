// SPDX-License-Identifier: MIT
#pragma once

// The tally window: its controls come from the layout table, its 22 count
// fields all run the one recalculation on change and the one selection
// routine on click, and it is the sheet the recalculation works on.

#include "platform/forms/form.h"
#include "tally/denominations.h"
#include "tally/sheet.h"

#include <array>
#include <vector>

class QLabel;
class QMenu;

namespace platform {
class TextBox;
}

namespace ui {

class TallyWindow final : public platform::FormWindow, public tally::Sheet
{
    Q_OBJECT
public:
    TallyWindow();

    // An unknown number is a failure, as on any sheet.
    platform::TextBox *countField(int field) const;
    QLabel *label(int number) const;

    QString countText(int field) const override;
    void setCountText(int field, const QString &text) override;
    QString caption(int label) const override;
    void setCaption(int label, const QString &text) override;
    QChar decimalSeparator() const override;

Q_SIGNALS:
    void productAboutChosen();
    void makerAboutChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenu();
    void nameForAssistiveTechnology();
    void runChangeProcedure();
    void describeValues(QWidget *focus);

    std::array<platform::TextBox *, tally::countFieldCount + 1> m_fields{};
    std::vector<QLabel *> m_labels;
    QChar m_decimalSeparator;
    QMenu *m_aboutMenu = nullptr;
};

// Selects a count field's whole text, so the next keystroke replaces it.
void selectWholeText(platform::TextBox &field);

} // namespace ui
