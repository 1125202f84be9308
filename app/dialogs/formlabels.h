// Dialogs whose fields sit in several groups line the fields up: every label of the body's
// form layouts is as wide as the widest, so the fields of all groups start at one edge.
#pragma once

class QWidget;

namespace duebell {

void AlignFormLabels(QWidget& body);

} // namespace duebell
