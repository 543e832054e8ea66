// The panel's credential record: the user name and password it asks for.
#pragma once

#include "operations/outcome.h"
#include "protocol/credential_record.h"
#include "protocol/panel_link.h"

namespace operations {

// The panel's block, over the start of `record`, when it is not empty, no
// longer than the record and its bytes add up to zero (else kBadData).
Outcome ReadCredentials(const protocol::PanelLink& link, protocol::CredentialRecord& record);
// The whole record to the panel.
Outcome WriteCredentials(const protocol::PanelLink& link, const protocol::CredentialRecord& record);

}  // namespace operations
