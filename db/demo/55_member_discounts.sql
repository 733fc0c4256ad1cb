-- Demo: member discounts by guest type at the hotel restaurants and the ski
-- outlets; named members also get a breakfast price at the main restaurant.
-- Partner members (guest type 020) get 10 % at the buffet once a day, a limit
-- every terminal of the buffet shares.

INSERT INTO member_dc_rate (guest_type, upjang_code, daeso_gubun, dc_rate, once_use_count, daily_use_count,
                            yearly_use_count, remark)
VALUES
    ('010', '3001', 'Z', 20, -1, 6, -1, ''),
    ('010', '3002', 'Z', 10, -1, 4, -1, '[음료무료]'),
    ('010', '3003', 'Z', 15, -1, -1, -1, ''),
    ('010', '5001', '1', 30, 2, 2, 40, ''),
    ('010', '5001', '2', 40, 2, 2, 40, ''),
    ('020', '3001', 'Z', 10, -1, 1, -1, ''),
    ('020', '5001', 'Z', 20, 1, 1, 20, ''),
    ('020', '5003', 'Z', 20, 1, 1, -1, ''),
    ('100', '3001', 'Z', 50, -1, 1, -1, ''),
    ('100', '5001', 'Z', -15000, 1, 1, -1, '')
ON CONFLICT DO NOTHING;

INSERT INTO member_dc_menu (guest_type, upjang_code, menu_code, dc_amt, once_use_count, daily_use_count)
VALUES ('010', '3001', '100101', 18000, -1, 2),
       ('010', '3001', '100102', 9000, -1, 2)
ON CONFLICT DO NOTHING;
