#pragma once

#include <QString>

namespace vnt {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Critical };
enum class Answer { Ok, Yes, No, Cancel };

// Every message box and file dialog of the editor goes through this seam. The Qt
// window shows real dialogs; tests queue the answers and fail on a dialog nobody
// expected. Texts keep their single carriage returns (code 13) as line breaks;
// filters are one entry of the form "description|pattern".
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) = 0;
    // The full path chosen, or an empty text when the user cancelled.
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString saveFile(const QString& title, const QString& folder, const QString& filter) = 0;

    // A notice with an OK button.
    void tell(const QString& title, const QString& text, Icon icon) { ask(title, text, Buttons::Ok, icon); }
};

} // namespace vnt
