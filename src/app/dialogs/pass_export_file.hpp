#pragma once

#include <functional>

#include <QString>
#include <QWidget>

#include "platform/message_sink.hpp"
#include "ui/app_state.hpp"

namespace vantrek::app {

// Asks where to save the passes: a calendar (.ics) or a CSV table (.csv); a
// name without either gets the one of the kind chosen. Empty when cancelled.
QString AskForPassesFile(QWidget* parent);

// "Save passes...": the file `choose` names (nothing when it names none)
// receives the listed passes.
void SavePassesTo(QWidget* parent, const AppState& state, MessageSink& messages,
                  const std::function<QString(QWidget*)>& choose);

}  // namespace vantrek::app
