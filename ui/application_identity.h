// SPDX-License-Identifier: MIT
#pragma once

// Names the running program as its desktop entry does, so that docks, task switchers and Wayland shells
// pair its window with the entry and its icon. Call after the application object exists; it leaves the
// display name unset, since the toolkit would append that to the window's caption.
void set_application_identity();
