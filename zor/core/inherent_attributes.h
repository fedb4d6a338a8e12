// The inherent attributes: the built-in catalogue every engine session carries next to the
// driver's own attributes. Most are views of SessionData fields (switches, callbacks, the I/O
// session, the secondary error); their callbacks copy between the attribute and the field.
//
// The catalogue comes in four groups, created in this order by session creation:
// - the switch group (every session), put straight into a record that is not yet published;
// - the identity group (class-driver and specific-driver sessions), with the error group at
//   its place inside it;
// - the error group alone (simulation-driver sessions, after the switch group);
// - the class group (class-driver sessions, after the identity group).
#pragma once

#include "zor.h"

namespace zor {

struct SessionData;

// Creates the ten switch-group records and inserts them into `data`, which nobody else can
// reach yet. Either all ten are inserted or none is (VI_ERROR_ALLOC or the creation failure).
ViStatus AddSessionSwitchAttributes(SessionData& data) noexcept;

// Adds the identity group to the published session `vi`; ZOR_ATTR_LOGICAL_NAME starts as
// `logicalName` (NULL: empty). The first failing add stops it and is returned.
ViStatus AddInherentAttributes(ViSession vi, const char* logicalName) noexcept;

// Adds the three error attributes (primary, secondary, elaboration).
ViStatus AddErrorInfoAttributes(ViSession vi) noexcept;

// Adds the eleven class-driver attributes.
ViStatus AddClassDriverAttributes(ViSession vi) noexcept;

}  // namespace zor
