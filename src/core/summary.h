#pragma once
// Run-time totals of a worker's month, recomputed from the duties and days
// off; never saved. Filled by the summaries of the calendar library.

namespace planek {

struct ms_summary {};

struct prac_summary {};

}  // namespace planek
