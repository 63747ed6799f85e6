// ZBar's enumerations and constants, with ZBar's names and values. Each is 32 bits wide like
// the C enumerations of ZBar's interface, since ZBar reads and writes them whole.
#pragma once

namespace ZBar {

// The colour of a bar or space found by the linear scanner.
enum zbar_color_t : unsigned {
    ZBAR_SPACE = 0,
    ZBAR_BAR = 1,
};

// Symbol types: the symbology in the low 8 bits, the add-on in the bits of ZBAR_ADDON.
enum zbar_symbol_type_t : unsigned {
    ZBAR_NONE = 0,
    ZBAR_PARTIAL = 1,
    ZBAR_EAN2 = 2,
    ZBAR_EAN5 = 5,
    ZBAR_EAN8 = 8,
    ZBAR_UPCE = 9,
    ZBAR_ISBN10 = 10,
    ZBAR_UPCA = 12,
    ZBAR_EAN13 = 13,
    ZBAR_ISBN13 = 14,
    ZBAR_COMPOSITE = 15,
    ZBAR_I25 = 25,
    ZBAR_DATABAR = 34,
    ZBAR_DATABAR_EXP = 35,
    ZBAR_CODABAR = 38,
    ZBAR_CODE39 = 39,
    ZBAR_PDF417 = 57,
    ZBAR_QRCODE = 64,
    ZBAR_SQCODE = 80,
    ZBAR_CODE93 = 93,
    ZBAR_CODE128 = 128,
    ZBAR_SYMBOL = 0x00ff,
    ZBAR_ADDON2 = 0x0200,
    ZBAR_ADDON5 = 0x0500,
    ZBAR_ADDON = 0x0700,
};

enum zbar_orientation_t : int {
    ZBAR_ORIENT_UNKNOWN = -1,
    ZBAR_ORIENT_UP,
    ZBAR_ORIENT_RIGHT,
    ZBAR_ORIENT_DOWN,
    ZBAR_ORIENT_LEFT,
};

enum zbar_error_t : unsigned {
    ZBAR_OK = 0,
    ZBAR_ERR_NOMEM,
    ZBAR_ERR_INTERNAL,
    ZBAR_ERR_UNSUPPORTED,
    ZBAR_ERR_INVALID,
    ZBAR_ERR_SYSTEM,
    ZBAR_ERR_LOCKING,
    ZBAR_ERR_BUSY,
    ZBAR_ERR_XDISPLAY,
    ZBAR_ERR_XPROTO,
    ZBAR_ERR_CLOSED,
    ZBAR_ERR_WINAPI,
    ZBAR_ERR_NUM,
};

enum zbar_config_t : unsigned {
    ZBAR_CFG_ENABLE = 0,
    ZBAR_CFG_ADD_CHECK,
    ZBAR_CFG_EMIT_CHECK,
    ZBAR_CFG_ASCII,
    ZBAR_CFG_BINARY,
    ZBAR_CFG_NUM,
    ZBAR_CFG_MIN_LEN = 0x20,
    ZBAR_CFG_MAX_LEN,
    ZBAR_CFG_UNCERTAINTY = 0x40,
    ZBAR_CFG_POSITION = 0x80,
    ZBAR_CFG_TEST_INVERTED,
    ZBAR_CFG_X_DENSITY = 0x100,
    ZBAR_CFG_Y_DENSITY,
};

enum zbar_modifier_t : unsigned {
    ZBAR_MOD_GS1 = 0,
    ZBAR_MOD_AIM,
    ZBAR_MOD_NUM,
};

} // namespace ZBar
