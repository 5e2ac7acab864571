#pragma once

// Plans as CSV (RFC 4180, UTF-8), for spreadsheets: one row a subnet under
// the header
//
//   network,cidr,name,vlan,hosts,note,color,mask,first,last,
//   usable_first,usable_last,usable
//
// Names and notes that a spreadsheet would run as a formula (starting with
// =, +, -, @, a tab or a carriage return) go out behind a single quote, as
// OWASP advises against CSV injection, and come back without it.
//
// Reading takes that export back, and also a plain sheet of `cidr` and any
// of the label columns. The networks are the `network` column where there
// is one; without it, a row that holds other rows is a network (its `name`
// the network's name) and a row that no other holds is a network of its
// own. A sheet lists the subnets in use: the space between them becomes free
// subnets, the fewest blocks. The computed columns `mask`, `first` and
// `last` are checked against the `cidr`; the `usable` ones are ignored, as a
// sheet does not say which profile made them.

#include "plans/plan.h"
#include "plans/plan_file.h"

#include <string>
#include <string_view>

namespace quellan {

// Lines end in CR LF, the last one too.
std::string planCsvText(const Plan& plan);

// Errors as "FILE:LINE: REASON", LINE where the row starts.
PlanRead readPlanCsv(std::string_view text, std::string_view name, Profile profile);

// A name or note as a spreadsheet cell, and back.
std::string guardedCell(std::string_view text);
std::string unguardedCell(std::string_view cell);

} // namespace quellan
