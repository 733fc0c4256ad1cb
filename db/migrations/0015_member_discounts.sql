-- The member discounts of each guest type at each outlet. PR_IAI010_01
-- copies the rules of a member's guest type into the discount work area of
-- the POS that registers the member. Counts of -1 are unlimited.

-- dc_rate: percent when 0 or more; when negative, the fixed unit price in won.
CREATE TABLE member_dc_rate (
    guest_type       text NOT NULL,
    upjang_code      text NOT NULL,
    daeso_gubun      text NOT NULL DEFAULT 'Z',
    dc_rate          integer NOT NULL,
    once_use_count   integer NOT NULL DEFAULT -1,
    daily_use_count  integer NOT NULL DEFAULT -1,
    yearly_use_count integer NOT NULL DEFAULT -1,
    remark           text NOT NULL DEFAULT '',
    valid_from       yyyymmdd NOT NULL DEFAULT '19000101',
    valid_to         yyyymmdd NOT NULL DEFAULT '99991231',
    PRIMARY KEY (guest_type, upjang_code, daeso_gubun, valid_from),
    CHECK (valid_from <= valid_to)
);

-- A member price for one menu: dc_amt is the price of one unit.
CREATE TABLE member_dc_menu (
    guest_type      text NOT NULL,
    upjang_code     text NOT NULL,
    menu_code       text NOT NULL,
    season_code     text NOT NULL DEFAULT '',
    business_gubun  text NOT NULL DEFAULT '',
    daeso_gubun     text NOT NULL DEFAULT 'Z',
    dc_amt          numeric(18, 4) NOT NULL,
    once_use_count  integer NOT NULL DEFAULT -1,
    daily_use_count integer NOT NULL DEFAULT -1,
    valid_from      yyyymmdd NOT NULL DEFAULT '19000101',
    valid_to        yyyymmdd NOT NULL DEFAULT '99991231',
    PRIMARY KEY (guest_type, upjang_code, menu_code, season_code, business_gubun, daeso_gubun, valid_from),
    CHECK (valid_from <= valid_to)
);
