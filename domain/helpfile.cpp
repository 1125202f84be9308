#include "domain/helpfile.h"

namespace duebell {

void TMorvaneHelpMeWithTopic::DeclareProperties(TTovPropertyTable<TMorvaneHelpMeWithTopic>& table) {
    table.Property("HelpContext", &TMorvaneHelpMeWithTopic::HelpContext)
        .Property("Description", &TMorvaneHelpMeWithTopic::Description);
}

void TMorvaneFormHelpTopic::DeclareProperties(TTovPropertyTable<TMorvaneFormHelpTopic>& table) {
    table.Property("HelpContext", &TMorvaneFormHelpTopic::HelpContext)
        .Property("FormClassName", &TMorvaneFormHelpTopic::FormClassName);
}

TMorvaneHelpFile::TMorvaneHelpFile(TTovObjectItem* owner)
    : TTovRecord(owner),
      HelpMeWithTopics(MakeOwnedObjectList<TMorvaneHelpMeWithTopic>("HelpContext")),
      FormHelpTopics(MakeOwnedObjectList<TMorvaneFormHelpTopic>("FormClassName")) {}

void TMorvaneHelpFile::DeclareProperties(TTovPropertyTable<TMorvaneHelpFile>& table) {
    table.ChildList("HelpMeWithTopics", &TMorvaneHelpFile::HelpMeWithTopics)
        .ChildList("FormHelpTopics", &TMorvaneHelpFile::FormHelpTopics);
}

} // namespace duebell
