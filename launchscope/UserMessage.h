#pragma once
// The closing message to the user and the offer to open the report.

#include <string>

namespace launchscope {

enum class PromptMode
{
    Ask,
    NoPrompt
};

// The message text; with `withQuestion` it ends with the question whether to open the report.
std::string userMessage(const std::string& conclusion, const std::string& launchResult,
                        const std::string& reportPath, bool withQuestion);

// Prints the message on standard output. With Ask: on a display a question dialog (zenity, kdialog or
// xmessage, whichever exists) and xdg-open for the report; without one, a question on the terminal when
// standard input is one, and the pager for the report. Nothing is opened without a report file.
void tellUser(const std::string& conclusion, const std::string& launchResult, const std::string& reportPath,
              PromptMode mode);

} // namespace launchscope
