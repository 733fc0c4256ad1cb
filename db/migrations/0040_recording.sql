-- What a settled bill writes besides its sale and payment rows: the
-- event-sale and event-account rows of a bill with a group discount, the
-- gift vouchers taken, the golf locker charges, and the prepaid credit a
-- payment uses. Rows that come through the off-line queue carry the local
-- time they were queued (offline_at), as the sale and payment rows do.

-- One row per sale row of a bill with a group (event) discount.
CREATE TABLE sale_event (
    accept_member_no text,
    sale_date        yyyymmdd NOT NULL,
    upjang_code      text NOT NULL,
    pos_no           text NOT NULL,
    bill_no          text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    bill_seq         integer NOT NULL CHECK (bill_seq >= 0),
    sale_yn          char(1) NOT NULL CHECK (sale_yn IN ('Y', 'N', '*')),
    member_no        text,
    menu_code        text NOT NULL,
    season_code      text,
    business_gubun   text,
    tax_yn           yn_flag,
    unit_amt         numeric(18, 4) NOT NULL DEFAULT 0,
    sale_qty         numeric(18, 4) NOT NULL DEFAULT 0,
    dc_rate          numeric(18, 4) NOT NULL DEFAULT 0,
    dc_amt           numeric(18, 4) NOT NULL DEFAULT 0,
    sale_amt         numeric(18, 4) NOT NULL DEFAULT 0,
    net_amt          numeric(18, 4) NOT NULL DEFAULT 0,
    vat_amt          numeric(18, 4) NOT NULL DEFAULT 0,
    excise_amt       numeric(18, 4) NOT NULL DEFAULT 0,
    edu_tax_amt      numeric(18, 4) NOT NULL DEFAULT 0,
    village_amt      numeric(18, 4) NOT NULL DEFAULT 0,
    sports_amt       numeric(18, 4) NOT NULL DEFAULT 0,
    tourism_amt      numeric(18, 4) NOT NULL DEFAULT 0,
    assoc_amt        numeric(18, 4) NOT NULL DEFAULT 0,
    svc_amt          numeric(18, 4) NOT NULL DEFAULT 0,
    spare_amt1       numeric(18, 4) NOT NULL DEFAULT 0,
    spare_amt2       numeric(18, 4) NOT NULL DEFAULT 0,
    remarks          text,
    emp_no           text,
    offline_at       text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip               text,
    created_at       timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, bill_seq)
);

-- What a group owes: one row per payment row of a bill with a group
-- discount (its tender code, sequence and amount).
CREATE TABLE event_account (
    event_no    text,
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    bill_no     text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    pay_yn      char(1) NOT NULL CHECK (pay_yn IN ('Y', 'N', '*')),
    pay_code    text NOT NULL CHECK (pay_code ~ '^[0-9]{1,3}$'),
    pay_seq     integer NOT NULL,
    group_no    text,
    amt         numeric(18, 4) NOT NULL,
    emp_no      text,
    offline_at  text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip          text,
    created_at  timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq)
);

-- Gift vouchers taken by a bill.
CREATE TABLE gift_card_use (
    sale_date    yyyymmdd NOT NULL,
    upjang_code  text NOT NULL,
    pos_no       text NOT NULL,
    bill_no      text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    use_yn       char(1) NOT NULL CHECK (use_yn IN ('Y', 'N', '*')),
    use_seq      integer NOT NULL,
    gift_card_no text NOT NULL,
    gift_kind    text,
    amt          numeric(18, 4) NOT NULL,
    emp_no       text,
    ip           text,
    created_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, use_yn, use_seq)
);

-- A bill charged to a golf player's locker, settled by the front desk at the
-- end of the round.
CREATE TABLE locker_charge (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    bill_no     text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    charge_yn   char(1) NOT NULL CHECK (charge_yn IN ('Y', 'N', '*')),
    amt         numeric(18, 4) NOT NULL,
    locker_no   text NOT NULL,
    visit_seq   integer NOT NULL,
    emp_no      text,
    ip          text,
    charge_kind text NOT NULL DEFAULT '1',
    created_at  timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, charge_yn, locker_no, visit_seq)
);

-- A payment from a prepaid credit balance (tender 430) uses the balance:
-- every such payment row books its amount against the customer, so the
-- next look-up and the recording's own check see what is left.
CREATE FUNCTION pay_books_prepay_use() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF NEW.pay_code = '430' AND NEW.detail1 IS NOT NULL
       AND EXISTS (SELECT FROM credit_customer c WHERE c.member_no = NEW.detail1) THEN
        INSERT INTO credit_prepay_use (sale_date, member_no, seq, sale_yn, amount, emp_no, ip)
        SELECT NEW.sale_date, NEW.detail1, coalesce(max(u.seq), 0) + 1,
               CASE WHEN NEW.amt < 0 THEN 'N' ELSE 'Y' END, NEW.amt,
               coalesce(NEW.emp_no, ''), coalesce(NEW.ip, '')
          FROM credit_prepay_use u
         WHERE u.sale_date = NEW.sale_date AND u.member_no = NEW.detail1;
    END IF;
    RETURN NEW;
END $$;

CREATE TRIGGER pay_books_prepay_use AFTER INSERT ON pay
    FOR EACH ROW EXECUTE FUNCTION pay_books_prepay_use();
