-- Master data the terminal reads at log-in and mirrors for off-line work:
-- cashiers, common codes, outlets and the outlets of each POS, members'
-- cards, and the server's discount work area of each POS (filled by
-- PR_IAI010_01, read back by the terminal). The download of the remaining
-- master data adds its own tables.

CREATE TABLE cashier (
    emp_no          text PRIMARY KEY,
    emp_name        text NOT NULL,
    password        text NOT NULL DEFAULT '',
    last_login_date text NOT NULL DEFAULT '',
    remain_day      integer NOT NULL DEFAULT 0,
    admin_yn        char(1) NOT NULL DEFAULT 'N' CHECK (admin_yn IN ('Y', 'N'))
);

-- Common codes: head + code, a name and fifteen free items.
CREATE TABLE common_code (
    head      text NOT NULL,
    code      text NOT NULL,
    code_name text NOT NULL DEFAULT '',
    item1  text NOT NULL DEFAULT '', item2  text NOT NULL DEFAULT '', item3  text NOT NULL DEFAULT '',
    item4  text NOT NULL DEFAULT '', item5  text NOT NULL DEFAULT '', item6  text NOT NULL DEFAULT '',
    item7  text NOT NULL DEFAULT '', item8  text NOT NULL DEFAULT '', item9  text NOT NULL DEFAULT '',
    item10 text NOT NULL DEFAULT '', item11 text NOT NULL DEFAULT '', item12 text NOT NULL DEFAULT '',
    item13 text NOT NULL DEFAULT '', item14 text NOT NULL DEFAULT '', item15 text NOT NULL DEFAULT '',
    PRIMARY KEY (head, code)
);

CREATE TABLE upjang (
    upjang_code    text PRIMARY KEY,
    upjang_name    text NOT NULL,
    upjang_type    text NOT NULL DEFAULT '',
    sod_gubun_code text NOT NULL DEFAULT ''
);

-- The outlets a POS sells for; the first is its own.
CREATE TABLE upjang_pos (
    upjang_code text NOT NULL REFERENCES upjang,
    pos_no      text NOT NULL,
    sort_order  integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, pos_no)
);

CREATE TABLE member (
    member_no        text PRIMARY KEY,
    member_name      text NOT NULL DEFAULT '',
    card_issue_count integer NOT NULL DEFAULT 0
);

-- The members registered for the bill being rung up at a POS, and the menu
-- discounts they bring.
CREATE TABLE dc_member_work (
    upjang_code       text NOT NULL,
    pos_no            text NOT NULL,
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    seq               integer NOT NULL,
    member_no         text NOT NULL DEFAULT '',
    member_add_no     text NOT NULL DEFAULT '',
    id_no             text NOT NULL DEFAULT '',
    member_name       text NOT NULL DEFAULT '',
    member_code       text NOT NULL DEFAULT '',
    guest_type        text NOT NULL DEFAULT '',
    daeso_gubun       text NOT NULL DEFAULT '',
    dc_rate           integer NOT NULL DEFAULT 0,
    once_use_count    integer NOT NULL DEFAULT 0,
    daily_use_count   integer NOT NULL DEFAULT 0,
    yearly_use_count  integer NOT NULL DEFAULT 0,
    remark            text NOT NULL DEFAULT '',
    keyin_yn          char(1) NOT NULL DEFAULT 'N' CHECK (keyin_yn IN ('Y', 'N')),
    PRIMARY KEY (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq)
);

CREATE TABLE dc_menu_work (
    upjang_code       text NOT NULL,
    pos_no            text NOT NULL,
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    seq               integer NOT NULL,
    menu_code         text NOT NULL,
    season_code       text NOT NULL DEFAULT '',
    business_gubun    text NOT NULL DEFAULT '',
    member_no         text NOT NULL DEFAULT '',
    member_add_no     text NOT NULL DEFAULT '',
    id_no             text NOT NULL DEFAULT '',
    member_name       text NOT NULL DEFAULT '',
    member_code       text NOT NULL DEFAULT '',
    guest_type        text NOT NULL DEFAULT '',
    daeso_gubun       text NOT NULL DEFAULT '',
    dc_amt            numeric(18, 4) NOT NULL DEFAULT 0,
    once_use_count    integer NOT NULL DEFAULT 0,
    daily_use_count   integer NOT NULL DEFAULT 0,
    keyin_yn          char(1) NOT NULL DEFAULT 'N' CHECK (keyin_yn IN ('Y', 'N')),
    PRIMARY KEY (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, menu_code)
);
