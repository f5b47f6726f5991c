#include "cli/ExitStatus.h"

#include <array>

#include "texts/Texts.h"

namespace {

struct BoxClass {
    Text text; // the box's text, or the start of a text with a number in it
    ExitStatus status;
};
constexpr std::array<BoxClass, 9> BOX_CLASSES{{
    {texts::CONNECT_INTERFACE_FAILED, ExitStatus::NoGreeting},
    {texts::CONNECT_PROCESSOR_FAILED, ExitStatus::NoAnswer},
    {texts::CONNECTION_LOST, ExitStatus::NoAnswer},
    {texts::WRITE_ALL_PROTECTED, ExitStatus::Refused},
    {texts::WRITE_LAST_PROTECTED_1, ExitStatus::Refused},
    {texts::WRITE_ECLKDIV_NOT_SET, ExitStatus::Refused},
    {texts::WRITE_ESTAT_ERRORS, ExitStatus::Refused},
    {texts::WRITE_PVIOL_ERRORS, ExitStatus::Refused},
    {texts::WRITE_FAILED_1, ExitStatus::Failures},
}};

} // namespace

ExitStatus exitStatusOfBox(const std::string& text)
{
    for (const BoxClass& box : BOX_CLASSES)
        if (text.starts_with(toStdString(box.text)))
            return box.status;
    return ExitStatus::Ok;
}
