// What writing files safely asks of the process as a whole.
#pragma once

namespace pc::platform {

// A write past the process's file-size limit must fail with an error that
// the writer reports, instead of ending the process by SIGXFSZ. Sets the
// signal to ignored when it still has its default action (a handler the
// program installed itself is left alone). Cheap to call before every write.
void IgnoreFileSizeSignal();

}  // namespace pc::platform
