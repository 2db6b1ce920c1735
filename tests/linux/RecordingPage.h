// A page that writes down every message the sheet and the adapter give it.
#pragma once

#include <string>
#include <vector>

#include "pages/Page.h"

namespace ravel::testing {

class RecordingPage final : public Page {
  public:
    RecordingPage(std::vector<std::string>& log, const char* name, bool capturesKeys = false)
        : log_(log), name_(name), capturesKeys_(capturesKeys) {}

    int OnInitDialog(Dialog& dialog) override {
        dialog_ = &dialog;
        log_.push_back(name_ + " init");
        return 1;
    }
    void OnCommand(int id, int code) override {
        log_.push_back(name_ + " command " + std::to_string(id) + " " + std::to_string(code));
    }
    int OnNotify(int code) override {
        const char* what = code == kPsnSetActive    ? "setactive"
                           : code == kPsnKillActive ? "killactive"
                           : code == kPsnApply      ? "apply"
                                                    : "other";
        log_.push_back(name_ + " " + what);
        return code == kPsnApply ? applyAnswer : 0;
    }
    void OnTimer() override { ++ticks; }
    bool CapturesKeys() const override { return capturesKeys_; }

    Dialog* dialog() const { return dialog_; }
    int ticks = 0;
    int applyAnswer = 0;  // what Apply answers: kPsnRetInvalid for a failed save

  private:
    std::vector<std::string>& log_;
    std::string name_;
    bool capturesKeys_;
    Dialog* dialog_ = nullptr;
};

}  // namespace ravel::testing
