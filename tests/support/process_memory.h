#pragma once

namespace kvl::test {

// The largest resident size of this process so far, in kB (each test runs in a process of its own).
long peakResidentKb();

} // namespace kvl::test
