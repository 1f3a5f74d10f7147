// GetXMLSetups: the setups catalogue of the installed product, reduced to the setups that
// apply to this machine, or an error catalogue.
#include <exception>
#include <memory>

#include "catalog/CatalogMethods.h"
#include "catalog/LoadCatalog.h"
#include "catalog/RequestUrl.h"
#include "common/ComError.h"
#include "common/Installer.h"
#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "control/ControlState.h"
#include "control/Ports.h"
#include "inspect/CompareFolder.h"
#include "inspect/InstalledVersion.h"
#include "inspect/RegistryProbes.h"

namespace zu {

namespace {

// The longest text of alternatives between "{" and "}" in a `defaultdir`.
constexpr std::size_t kMaxAlternativesChars = 199;

// Answers that end the evaluation early.
struct Answer {
    std::string text;
};

struct Messages {
    std::string noVersion, noCatalog, undetermined;
};

Messages loadMessages(const Strings& strings, const std::string& productName) {
    Messages m{strings.load(sid::noInstalledVersion), strings.load(sid::catalogUnavailable),
               strings.load(sid::updatesUndetermined)};
    replaceAll(m.noVersion, "<produto>", productName);
    replaceAll(m.noCatalog, "<produto>", productName);
    return m;
}

// The folders a `defaultdir` names: "pre{A|B}post" gives "preApost" and "preBpost"
// (empty alternatives skipped). Without both braces, the text itself; with "}" before
// "{", none. Alternatives longer than the limit name no folder at all: probing a cut
// name would only look in a folder the server never meant.
std::vector<std::string> folderAlternatives(const std::string& folder) {
    const auto open = folder.find('{');
    const auto close = folder.find('}');
    if (open == std::string::npos || close == std::string::npos) return {folder};
    if (close < open) return {};
    const std::string inner = folder.substr(open + 1, close - open - 1);
    if (inner.size() > kMaxAlternativesChars) return {};
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= inner.size()) {
        auto bar = inner.find('|', start);
        if (bar == std::string::npos) bar = inner.size();
        if (bar > start)
            folders.push_back(folder.substr(0, open) + inner.substr(start, bar - start) + folder.substr(close + 1));
        start = bar + 1;
    }
    return folders;
}

class SetupsEvaluation {
public:
    SetupsEvaluation(ControlState& state, const Ports& ports, const Messages& messages)
        : s_(state), p_(ports), m_(messages) {}

    std::string run() {
        try {
            return evaluate();
        } catch (const Answer& answer) {
            return answer.text;
        }
    }

private:
    [[noreturn]] void answerError(const std::string& message) { throw Answer{makeErrorCatalog(message)}; }

    std::string evaluate() {
        s_.effectiveVersion = s_.props.productVersion;
        if (s_.effectiveVersion.empty()) {
            const std::string installed = findInstalledVersion(p_.registry, s_.workingProductName);
            if (installed == noInstalledVersion) answerError(m_.noVersion);
            s_.effectiveVersion = installed;
        }
        s_.tokens.productRegistryPath = "Software\\Velmora\\" + s_.workingProductName + "\\" + s_.effectiveVersion;

        fetch();
        if (s_.setups.empty()) return s_.catalogDocument.xml();

        checkProductCode();
        const XmlNode registryOverride = s_.dirs.attribute("registry");
        if (!registryOverride.empty()) s_.tokens.productRegistryPath = registryOverride.text();
        const XmlNode prodId = s_.catalog.attribute("prodId");
        s_.productId = prodId.empty() ? std::string() : prodId.text();

        if (!s_.uploading.empty()) collectUploads();
        if (const int code = compareFolders(); code != folderOk) return folderErrorAnswer(code);
        return evaluatedAnswer();
    }

    void fetch() {
        const std::string url =
            setupsRequestUrl(s_.props.catalogURL, s_.workingProductName, s_.effectiveVersion, p_.locale);
        if (loadCatalog(s_.catalogDocument, p_.xml, p_.http, url) != LoadOutcome::Loaded) answerError(m_.noCatalog);
        const XmlDocument& doc = s_.catalogDocument;
        s_.catalog = doc.selectSingleNode("catalog").asElement();
        s_.setups = doc.selectSingleNode("catalog/setups").asElement();
        s_.dirs = doc.selectSingleNode("catalog/dirs").asElement();
        s_.uploading = doc.selectSingleNode("catalog/uploading").asElement();
        s_.errors = doc.selectSingleNode("catalog/errors").asElement();
    }

    void checkProductCode() {
        const XmlNode code = s_.catalog.attribute("productCode");
        if (code.empty()) {
            s_.productCode.clear();
            return;
        }
        s_.productCode = code.text();
        if (p_.installer.queryProductState(s_.productCode) != msi::stateInstalled) answerError(m_.noCatalog);
    }

    void collectUploads() {
        for (const XmlNode& files : s_.uploading.selectNodes("files")) {
            std::string key = files.attribute("reg").text();
            std::string folder = files.attribute("defaultdir").text();
            const std::string targetUrl = s_.props.uploadURL;
            s_.tokens.substitute(folder, &p_.locale);
            s_.tokens.substitute(key, &p_.locale);
            for (const std::string& alternative : folderAlternatives(folder))
                collectUploadFiles(p_.registry, p_.files, p_.locale, s_.uploadItems, key, alternative, targetUrl);
        }
        if (s_.uploadItems.empty()) {
            s_.catalogDocument.selectSingleNode("catalog").removeChild(s_.uploading);
            s_.uploading = XmlNode();
        }
    }

    // The error code of the first `dir` that neither its path nor its registry folder
    // makes acceptable; 0 when all are.
    int compareFolders() {
        const FolderComparison ctx{p_.files, p_.clock, p_.installer, s_.productCode, s_.setups};
        for (const XmlNode& item : s_.dirs.selectNodes("dir")) {
            const XmlNode dir = requireElement(item);
            const XmlNode path = dir.attribute("path");
            const std::string folderText = path.empty() ? std::string() : path.text();
            const XmlNode registry = dir.attribute("registry");
            const std::string registryFolder =
                registry.empty() ? std::string()
                                 : readRegistryLocation(p_.registry, s_.tokens, p_.locale, registry.text());
            if (folderText.empty() && registryFolder.empty()) continue;
            if (compareFolder(ctx, dir, folderText) == folderOk) continue;
            if (const int code = compareFolder(ctx, dir, registryFolder); code != folderOk) return code;
        }
        return folderOk;
    }

    static XmlNode requireElement(const XmlNode& node) {
        XmlNode element = node.asElement();
        if (element.empty()) throw ComError(hr::pointer, "dir item is not an element");
        return element;
    }

    // Only the server's `error` elements for `code`; no setups, no dirs.
    std::string folderErrorAnswer(int code) {
        const std::string id = decimal(code);
        for (const XmlNode& error : s_.errors.selectNodes("error"))
            if (error.attribute("id").text() != id) s_.errors.removeChild(error);
        const XmlNode root = s_.catalogDocument.documentElement();
        root.removeChild(s_.setups);
        root.removeChild(s_.dirs);
        return s_.catalogDocument.xml();
    }

    // Only the setups switched on; no dirs, no errors.
    std::string evaluatedAnswer() {
        for (const XmlNode& setup : s_.setups.selectNodes("setup")) {
            const XmlNode enable = setup.attribute("enable");
            if (enable.empty() || enable.text() != "1") s_.setups.removeChild(setup);
        }
        const XmlNode root = s_.catalogDocument.documentElement();
        root.removeChild(s_.dirs);
        root.removeChild(s_.errors);
        return s_.catalogDocument.xml();
    }

    ControlState& s_;
    const Ports& p_;
    const Messages& m_;
};

}  // namespace

std::string getXmlSetups(ControlState& state, const Ports& ports) {
    state.workingProductName = state.props.productName;
    const Messages messages = loadMessages(ports.strings, state.workingProductName);
    try {
        return SetupsEvaluation(state, ports, messages).run();
    } catch (const std::exception&) {
        // Any failure of the evaluation (a document call, an empty handle, a malformed
        // entry, the transport) leaves the page with the "could not determine" catalogue.
        return makeErrorCatalog(messages.undetermined);
    }
}

}  // namespace zu
