#include "app/framework/qtprompter.h"

#include "app/framework/messagedialog.h"
#include "controls/modalresult.h"

namespace duebell {

namespace {

TMsgDlgType DialogType(PromptType type) {
    switch (type) {
    case PromptType::Warning:
        return mtWarning;
    case PromptType::Error:
        return mtError;
    case PromptType::Information:
        return mtInformation;
    case PromptType::Confirmation:
        break;
    }
    return mtConfirmation;
}

const TMessageButton YesButton{"Yes", "&Yes", mrYes};
const TMessageButton NoButton{"No", "&No", mrNo};
const TMessageButton OkButton{"OK", "OK", mrOk};
const TMessageButton CancelButton{"Cancel", "Cancel", mrCancel};

PromptAnswer AskInMessageForm(PromptType type, PromptButtons buttons, const std::string& text,
                              bool defaultNo) {
    std::vector<TMessageButton> row;
    PromptAnswer escapeAnswer = PromptAnswer::Cancel;
    switch (buttons) {
    case PromptButtons::Ok:
        row = {OkButton};
        escapeAnswer = PromptAnswer::Ok;
        break;
    case PromptButtons::YesNo:
        row = {YesButton, NoButton};
        escapeAnswer = PromptAnswer::No;
        break;
    case PromptButtons::YesNoCancel:
        row = {YesButton, NoButton, CancelButton};
        break;
    }
    const int cancelButton = static_cast<int>(row.size()) - 1;
    const int defaultButton = defaultNo && buttons != PromptButtons::Ok ? 1 : 0; // No follows Yes
    TMessageForm form(text, DialogType(type), std::move(row), defaultButton, cancelButton);
    switch (RunMessageForm(form)) {
    case mrYes:
        return PromptAnswer::Yes;
    case mrNo:
        return PromptAnswer::No;
    case mrOk:
        return PromptAnswer::Ok;
    default:
        return escapeAnswer;
    }
}

} // namespace

PromptAnswer QtPrompter::Ask(PromptType type, PromptButtons buttons, const std::string& text) {
    return AskInMessageForm(type, buttons, text, false);
}

PromptAnswer QtPrompter::AskDefaultNo(PromptType type, PromptButtons buttons,
                                      const std::string& text) {
    return AskInMessageForm(type, buttons, text, true);
}

} // namespace duebell
