#pragma once
// The control's state: what one method leaves for a later one. The control owns all of
// it for its whole life; the methods of the catalog and update subsystems work on it.
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/XmlDom.h"
#include "inspect/PathTokens.h"
#include "update/WorkLists.h"

namespace zu {

// The seven script-visible, persisted properties.
struct ControlProperties {
    bool allowUploads = false;
    std::string downloadURL;
    std::string catalogURL;
    std::string productsCatalogURL;
    std::string productName;
    std::string productVersion;
    std::string uploadURL;

    bool operator==(const ControlProperties&) const = default;
};

struct ControlState {
    // Worked out by GetXMLSetups.
    std::string workingProductName;
    std::string effectiveVersion;
    std::string productCode;
    std::string productId;
    // "$PRODUCT_REGPATH" (GetXMLSetups) and "$CSIDL_APPDATA" (constructor).
    PathTokens tokens;
    // Setup ids chosen by AddSetup/RemoveSetup; emptied only at construction.
    std::vector<std::int32_t> chosenSetups;
    // The kept catalogue and handles into it (see catalog/LoadCatalog.h).
    XmlDocument catalogDocument;
    XmlNode catalog;
    XmlNode setups;
    XmlNode dirs;
    XmlNode errors;
    XmlNode uploading;
    XmlNode products;
    XmlNode currentProductCode;
    // Work lists of the update run.
    UploadItemList uploadItems;
    SetupItemList setupItems;

    ControlProperties props;
};

}  // namespace zu
