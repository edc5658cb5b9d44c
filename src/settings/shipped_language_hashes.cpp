// Written by scripts/language-hashes.sh; run it again after changing lang/.
#include "settings/language_install.h"

namespace planek {

const std::vector<std::string>& shipped_language_hashes() {
    static const std::vector<std::string> hashes = {
        "0b3592f2148f8abbce24e029008db20d0f72e3c385055a0ef993bdfb285e7d41",
        "1333761461376f29daba5dadc7189a361ae6f2f7b7cf1df75380c32912c4b27a",
        "299bee6060cfddecab6c2aba4ca83545bf4de236570b96c7e87f2c2e22086378",
        "2ba0d618018835737e39d997528f70ea3462b0225919ac70a4f6f64a5098cadc",
        "2bf8af120b1e7edf6c6a5ed3ba9b1aaf1bb391149e6d59b4b47785439dff6757",
        "34e41a3f376698f69dc6478d26f60910a11d75f805461c0ebea0310ccf1c1ed2",
        "39661d6954ad2d43308488c189a0731015d1764a87e1fd5f9ed4cc545a95d973",
        "3b2bfcd18143cc037e678c3259686df2d733dca9ad68a683312edbb80a992b9d",
        "3f0c4a5e3d9b0f9e49ac92803ec9adf36f96a2371be983cfb4bf70850cb981db",
        "4420a4fa0aea1e6ad9beceec59b7b74e09c5209d2646f4af8449c6787986a5c2",
        "5be64915b28d33f1b4eb1b1e76c4a1ec0f66ec8618236e22d2f48a167b2370ee",
        "6ee2adbccf1b5e0a8c27c2f2a6472e359c49ce2256fed247eae759e4acd5e415",
        "719f17d301def5ef16f22bf9ce48dba36aefd56d1d42cea46e77f84710f73c71",
        "770c37ce74e8aac4194e67ab2497cbdf752bbc41166e8c5febc781becca04519",
        "79209dd81fde70a2c6d7d2c096a5f8ee46cf81283cc952b00d141e9cef0ddc15",
        "9fc0c51b07cb168d890d1e7ad6d2ce084a2a9eecb56dba0dcec6b6f063733d9b",
        "a7c31b464a3ea8b8d55ccff305abd37cbef42864afcc7c05a79da3a225d638b0",
        "cea0e89cc83992e40b832cb9e0c76fd59f049954aab05a723961bf3b34615aab",
        "d50ca175b3f1444b33805f42002660b2289b1d58614ccd66e6b1e19f078b7704",
        "d7ae6d54664f1d0ac6cf40d42a98676fe6a9a4ac5568e26c023ba347dff19844",
        "dbc415d9e11b96140b33c52c55c06bc466740843c61fb74f838985df84a9bee0",
        "dbd9bbf6963a41cae92c9d22738a2cff474a0fbf716cb40b3fa8368fe452cb09",
        "e32e208f26326449e0a24ee6d07ba1883744e3bab5c0bffd3a69451aa81b3a64",
        "f2d006d538cc5fcc4cf804f1c0466dcc1bf89ff5c847db394fe060a0e64b0d4b",
    };
    return hashes;
}

}  // namespace planek
