#include "platform/Platform.h"
#include "text/Encoding.h"

namespace torepal {

std::string FormatTimeStamp(const LocalTime& t)
{
    static const std::string month = Sjis("月"), day = Sjis("日"), hour = Sjis("時"), minute = Sjis("分");
    return std::to_string(t.month) + month + std::to_string(t.day) + day + std::to_string(t.hour) + hour +
           std::to_string(t.minute) + minute;
}

}  // namespace torepal
