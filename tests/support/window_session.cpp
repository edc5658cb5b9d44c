#include "support/window_session.h"

#include <gtest/gtest.h>

#include "document/month_acts.h"

namespace planek::test {

window_session::window_session(const std::string& root, Answer answer) {
    talk->fallback = answer;
    doc.set_interaction(talk);
    session_request request;
    request.root = root;
    request.language = "english";
    EXPECT_TRUE(open_folder(doc, request).ok()) << root;
}

window_session::window_session(const std::string& root, const std::string& month, Answer answer)
    : window_session(root, answer) {
    open_request open;
    open.months.files = {month};
    open.months.touchFiles = true;
    EXPECT_TRUE(open_months(doc, open).ok()) << month;
}

}  // namespace planek::test
