// The help topics: the "Help me with" topics of the main window and the help context of each
// window. The root record of the help topics file, which the program only reads.
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

class TMorvaneHelpMeWithTopic : public TTovRecord<TMorvaneHelpMeWithTopic> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t HelpContext = 0;
    std::string Description;

    static void DeclareProperties(TTovPropertyTable<TMorvaneHelpMeWithTopic>& table);
};

class TMorvaneFormHelpTopic : public TTovRecord<TMorvaneFormHelpTopic> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t HelpContext = 0;
    std::string FormClassName; // matched against a window's name

    static void DeclareProperties(TTovPropertyTable<TMorvaneFormHelpTopic>& table);
};

class TMorvaneHelpFile : public TTovRecord<TMorvaneHelpFile> {
public:
    explicit TMorvaneHelpFile(TTovObjectItem* owner);

    TTovOwnedObjectList HelpMeWithTopics; // TMorvaneHelpMeWithTopic by "HelpContext"
    TTovOwnedObjectList FormHelpTopics;   // TMorvaneFormHelpTopic by "FormClassName"

    static void DeclareProperties(TTovPropertyTable<TMorvaneHelpFile>& table);
};

} // namespace duebell
