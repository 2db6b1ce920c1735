// A radio button of the automatic kind: a click checks it and unchecks the
// other radio buttons of its group, and never unchecks it. A program's
// setChecked touches this button only, as CheckDlgButton does.
#pragma once

#include <QRadioButton>

namespace ravel {

class AutoRadioButton final : public QRadioButton {
  public:
    AutoRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
        setAutoExclusive(false);
    }

    // The radio buttons between this group's start and the next one.
    void SetGroup(AutoRadioButton* const* members, int count) {
        members_ = members;
        memberCount_ = count;
    }

  protected:
    void nextCheckState() override {
        for (int i = 0; i < memberCount_; ++i) {
            if (members_[i] != this) {
                members_[i]->setChecked(false);
            }
        }
        setChecked(true);
    }

  private:
    AutoRadioButton* const* members_ = nullptr;
    int memberCount_ = 0;
};

}  // namespace ravel
