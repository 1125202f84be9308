#include "app/framework/programmessages.h"

#include "app/framework/qtprompter.h"
#include "controls/uihooks.h"
#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "objectlist/listlistener.h"

#include <memory>

namespace duebell {

namespace {

constexpr const char* DuplicateListError = "Duplicate nodes in list containing classes of";

void ShowListenerFailure(const std::string& message) {
    ShowApplicationError(std::make_exception_ptr(Exception(message)));
}

} // namespace

std::string ApplicationErrorText(std::exception_ptr error) {
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Internal error.  An error of unknown kind.";
    }
    if (message.find(DuplicateListError) != std::string::npos)
        return "You have attempted to create a duplicate record.  Entry will be ignored";
    return message;
}

void ShowApplicationError(std::exception_ptr error) {
    CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok, ApplicationErrorText(error));
}

void ShowInformationBox(const std::string& text) {
    CurrentPrompter().Ask(PromptType::Information, PromptButtons::Ok, text);
}

void PromptingPqMessageSink::Information(const std::string& text) {
    ShowInformationBox(text);
}

struct ProgramMessageBoxes::Installed {
    QtPrompter prompter;
    PromptingPqMessageSink sink;
    Prompter* previousPrompter = nullptr;
    TPqMessageSink* previousSink = nullptr;
    ExceptionHandler previousHandler;
    InformationHook previousInformation;
    TTovListenerFailureReport previousReport = nullptr;
};

ProgramMessageBoxes::ProgramMessageBoxes() : installed_(std::make_unique<Installed>()) {
    installed_->previousPrompter = SetPrompter(&installed_->prompter);
    installed_->previousSink = SetPqMessageSink(&installed_->sink);
    installed_->previousHandler = SetExceptionHandler(ShowApplicationError);
    installed_->previousInformation = SetInformationHook(ShowInformationBox);
    installed_->previousReport = SetListenerFailureReport(ShowListenerFailure);
}

ProgramMessageBoxes::~ProgramMessageBoxes() {
    SetListenerFailureReport(installed_->previousReport);
    SetInformationHook(std::move(installed_->previousInformation));
    SetExceptionHandler(std::move(installed_->previousHandler));
    SetPqMessageSink(installed_->previousSink);
    SetPrompter(installed_->previousPrompter);
}

} // namespace duebell
