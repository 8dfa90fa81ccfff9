#include "app/module3.h"

namespace Module3 {

catalogue::SearchResult result;

} // namespace Module3
