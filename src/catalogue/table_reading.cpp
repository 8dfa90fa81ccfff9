#include "catalogue/table_reading.h"

#include "catalogue/filter_request.h"

#include <algorithm>

namespace catalogue {

TableReading::TableReading() : opened_(openedPromise_.get_future().share()) {}

void TableReading::Connect(std::function<bool(std::string_view)> send) {
    const std::lock_guard lock(mutex_);
    if (ended_) {
        return;
    }
    send_ = std::move(send);
    // Oldest first, as they were asked.
    for (auto asked = asked_.rbegin(); asked != asked_.rend(); ++asked) {
        if (!asked->sent && !asked->settled) {
            ask(*asked);
        }
    }
}

void TableReading::Disconnect() {
    const std::lock_guard lock(mutex_);
    ended_ = true;
    send_ = nullptr;
    for (Asked& asked : asked_) {
        giveUp(asked);
    }
}

void TableReading::Opened() {
    releaseOpenWait();
}

void TableReading::Ended() {
    releaseOpenWait();
}

void TableReading::releaseOpenWait() {
    const std::lock_guard lock(mutex_);
    if (!openedSet_) {
        openedSet_ = true;
        openedPromise_.set_value();
    }
}

void TableReading::Answered(FilterAnswer answer) {
    const std::lock_guard lock(mutex_);
    const auto asked = std::find_if(asked_.begin(), asked_.end(), [&answer](const Asked& one) {
        return one.request == answer.request;
    });
    if (asked != asked_.end() && !asked->settled) {
        asked->settled = true;
        asked->promise.set_value(std::make_shared<const FilterAnswer>(std::move(answer)));
    }
}

AnswerResult TableReading::Answer(const std::string& criteria) {
    const std::lock_guard lock(mutex_);
    const auto kept = std::find_if(asked_.begin(), asked_.end(), [&criteria](const Asked& one) {
        return one.criteria == criteria;
    });
    if (kept != asked_.end()) {
        asked_.splice(asked_.begin(), asked_, kept);
        return asked_.front().result;
    }
    Asked& asked = asked_.emplace_front();
    asked.criteria = criteria;
    asked.request = nextRequest_++;
    asked.result = asked.promise.get_future().share();
    if (ended_ || criteria.size() > kLongestAsked || asked.request > kMostAsked) {
        giveUp(asked);
    } else if (send_) {
        ask(asked);
    }
    if (asked_.size() > kKeptAnswers) {
        giveUp(asked_.back());
        asked_.pop_back();
    }
    return asked.result;
}

void TableReading::ask(Asked& asked) {
    asked.sent = true;
    if (!send_(FilterRequest(asked.request, asked.criteria))) {
        giveUp(asked);
    }
}

void TableReading::giveUp(Asked& asked) {
    if (!asked.settled) {
        asked.settled = true;
        asked.promise.set_value(nullptr);
    }
}

} // namespace catalogue
