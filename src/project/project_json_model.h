// Between the checked JSON description of a project (project/project_json.h)
// and a project document.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "project/project_data.h"
#include "project/project_json.h"

namespace pc::project_json {

// The index period a description without "index_period" gets: from the
// first to the last month that has a figure, widened to include the month
// of the price reference date.
std::pair<YearMonth, YearMonth> DerivedPeriod(const ProjectDescription& description);

// Fills `document` (cleared first) from a checked description: properties,
// components with their figures (carried-forward and trend figures
// derived), installments. The document is bound to no index file. Returns
// a Dutch problem text when the document refuses a value (which a checked
// description never gives), else nothing.
std::optional<std::string> ToDocument(const ProjectDescription& description,
                                      project::TProjectData& document);

// The description of a document: every component in display order with its
// own figures, every installment with the non-zero amounts of its variable
// components. "index_period" is left out when it equals DerivedPeriod.
ProjectDescription FromDocument(const project::TProjectData& document);

}  // namespace pc::project_json
