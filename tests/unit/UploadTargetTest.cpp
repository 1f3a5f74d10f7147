#include <gtest/gtest.h>

#include "update/UploadTarget.h"

namespace zu {
namespace {

TEST(UploadTarget, ParsesSchemeHostPortAndPath) {
    struct Case {
        const char* url;
        std::optional<UploadTarget> expected;
    };
    const Case cases[] = {
        {"http://srv/up.asp?codProduto=77", UploadTarget{"srv", 0, "up.asp?codProduto=77", false}},
        {"http://srv:8080/up.asp", UploadTarget{"srv", 8080, "up.asp", false}},
        {"https://srv/a/b", UploadTarget{"srv", 0, "a/b", true}},
        {"HTTPS://srv:8443/", UploadTarget{"srv", 8443, "", true}},
        {"http://srv", std::nullopt},
        {"srv/up.asp", std::nullopt},
        {"ftp://srv/x", std::nullopt},
        {"x http://srv/up", std::nullopt},
        {"http:///up", std::nullopt},
        {"http://srv:/up", std::nullopt},
        {"http://srv:80a/up", std::nullopt},
        {"http://srv:70000/up", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parseUploadTarget(c.url), c.expected) << c.url;
}

}  // namespace
}  // namespace zu
