#include "base/Error.h"

#include <utility>

namespace vnt {

Error::Error(int number, QString description, QString source)
    : number_(number), description_(std::move(description)), source_(std::move(source)),
      what_(QStringLiteral("Error %1: %2").arg(number_).arg(description_).toUtf8())
{
}

} // namespace vnt
