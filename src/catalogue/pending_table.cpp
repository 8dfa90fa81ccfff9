#include "catalogue/pending_table.h"

#include "catalogue/away_call.h"
#include "catalogue/reader_process.h"
#include "catalogue/scan_pause.h"
#include "system/utf8_path.h"

#include <algorithm>

namespace catalogue {

PendingTable::PendingTable(TableResult result, std::shared_ptr<TableReading> reading,
                           std::vector<std::string> columns, const std::string& file,
                           const std::string& table, std::function<void()> forgetRead)
    : result_(std::move(result)), reading_(std::move(reading)), columns_(std::move(columns)),
      file_(file), described_(DescribeTable(file, table)), forgetRead_(std::move(forgetRead)) {}

std::shared_ptr<CatalogueTable> PendingTable::take() {
    try {
        return result_.get();
    } catch (const CatalogueUnavailable&) {
        forgetRead_();
        throw;
    } catch (const ReadCancelled&) {
        // Another read took this one's place: a catalogue that changed, or another one.
        throw ReadInterrupted(sys::PathFromUtf8(file_));
    }
}

std::shared_ptr<CatalogueTable> PendingTable::WholeIfRead() {
    if (result_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return nullptr;
    }
    return take();
}

std::shared_ptr<CatalogueTable> PendingTable::Whole() {
    AwaitUntil(result_, Deadline::max(), [] { PauseScan(); });
    return take();
}

std::shared_ptr<const FilterAnswer> PendingTable::Matches(const std::string& criteria) {
    for (auto kept = answers_.begin(); kept != answers_.end(); ++kept) {
        if (kept->first == criteria) {
            answers_.splice(answers_.begin(), answers_, kept);
            return kept->second;
        }
    }
    BindCriteria(criteria, columns_, described_); // refused here as the whole table refuses it
    const AnswerResult answer = reading_->Answer(criteria);
    AwaitUntil(answer, Deadline::max(), [] { PauseScan(); });
    if (!answer.get()) {
        return nullptr;
    }
    answers_.emplace_front(criteria, answer.get());
    if (answers_.size() > kKeptAnswers) {
        answers_.pop_back();
    }
    return answer.get();
}

std::optional<std::optional<std::string>> PendingTable::ShownValue(std::size_t row,
                                                                   std::string_view field) {
    const std::size_t column = ColumnIndexOf(columns_, field, described_);
    for (const auto& [criteria, answer] : answers_) {
        const auto at = std::lower_bound(answer->matches.begin(), answer->matches.end(), row);
        const auto index = std::size_t(at - answer->matches.begin());
        if (at != answer->matches.end() && *at == row && index < answer->shown.rowCount()) {
            return answer->shown.value(index, column);
        }
    }
    return std::nullopt;
}

} // namespace catalogue
